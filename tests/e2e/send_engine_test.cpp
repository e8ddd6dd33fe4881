// Sending through the real window: Send To and Send All To, never overwriting, the report of
// files that could not be sent, and Send All while the user changes the list or a search goes on.
#include <algorithm>

#include "send_helpers.h"

namespace {

using SendEngineTest = SorvaneTest;

std::string NameOf(const std::string &line) { return line.substr(line.rfind('\\') + 1); }

int LineOf(const std::vector<std::string> &lines, const std::string &name)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (NameOf(lines[i]) == name)
            return static_cast<int>(i);
    return -1;
}

// Opens the file without sharing, so that the program cannot read it until the test ends.
HANDLE LockFile(const std::string &path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

// Takes E: out of the system's drive list while it lives; Wine still reaches its files.
struct HiddenDriveE {
    char target[MAX_PATH] = "";
    bool hidden = QueryDosDeviceA("E:", target, MAX_PATH) && DefineDosDeviceA(DDD_REMOVE_DEFINITION, "E:", NULL);
    ~HiddenDriveE() { if (hidden) DefineDosDeviceA(DDD_RAW_TARGET_PATH, "E:", target); }
};

// Send To of one file shows that file's size as the total; Cancel in the pause after its copy
// does not stop the next send. Send All then keeps an existing target, and reports the unreadable
// file once, after its window has gone. With the removable drive gone, Folder... comes first.
TEST_F(SendEngineTest, SendsNeverOverwriteAndReportWhatCouldNotBeSent)
{
    MakeFile("D:\\c\\kept.jpg", 50, 'n');
    MakeFile("D:\\c\\new.jpg", 70, 'w');
    MakeFile("D:\\c\\more.jpg", 60, 'm');
    MakeFile("D:\\c\\locked.jpg", 30, 'l');
    MakeFile("E:\\kept.jpg", 3, 'o');
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(4u, lines.size());
    ASSERT_NE(INVALID_HANDLE_VALUE, LockFile("D:\\c\\locked.jpg"));

    SelectLine(app, LineOf(lines, "new.jpg"));
    PickSendItem(app, false, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }));
    std::string status = ItemText(progress, kProgressStatus);
    EXPECT_EQ(0u, status.rfind("Sending 1 of 1 (70.00 B Of 70.00 B , 70.00 B Left)", 0)) << status;
    Click(GetDlgItem(progress, kProgressCancel));
    ASSERT_TRUE(WaitGone(progress, 10000));

    PickSendItem(app, true, 0);
    progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitForBoxSaying(app, "could not be sent", 30000) != NULL) << "no report";
    EXPECT_FALSE(IsWindow(progress)) << "the report came before the send's window had gone";
    AnswerBox(app, "1 of 4 file(s) could not be sent.", IDOK, app.main);
    EXPECT_TRUE(NoDialogFor(app, 800)) << "more than one box for one send";
    EXPECT_EQ((std::set<std::string>{"kept.jpg", "more.jpg", "new.jpg"}), FilesIn("E:"));
    EXPECT_EQ("ooo", ReadFileBytes("E:\\kept.jpg"));

    HiddenDriveE gone;
    ASSERT_TRUE(gone.hidden);
    PickSendItem(app, false, 0);
    HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
    ASSERT_TRUE(browser != NULL) << "the submenu still offers the drive that has gone";
    AnswerFolderBrowser(app, browser, NULL);
}

// The "Sending i of n" texts that a send's window showed, read whenever a wait polls.
struct SendLog {
    int reached = 0;       // the last i shown
    std::set<int> totals;  // every n shown
    bool WaitFor(HWND progress, const std::function<bool()> &done, int timeoutMs = 60000)
    {
        return WaitUntil([&] {
            int i = 0, n = 0;
            if (std::sscanf(ItemText(progress, kProgressStatus).c_str(), "Sending %d of %d", &i, &n) == 2) {
                reached = i;
                totals.insert(n);
            }
            return done();
        }, timeoutMs);
    }
};

// Send All of six files of 256 MiB, the first unreadable, held while the second copies. The user
// removes the third line (before its turn), the second (its copy finishes), deletes the fifth
// file and takes the numbers off: the send goes on with the fourth as 3 of 6. A new search
// during that copy ends the send after it, and the report counts the three lines reached.
TEST_F(SendEngineTest, SendAllSendsExactlyTheLinesThatStayWhileTheListChanges)
{
    for (char c = '1'; c <= '6'; ++c)
        MakeFile(std::string("D:\\big\\") + c + ".mp4", 256ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(6u, lines.size());
    ASSERT_NE(INVALID_HANDLE_VALUE, LockFile("D:\\big\\" + NameOf(lines[0])));
    Throttle throttle;
    throttle.runMs = 1;  // a copy gets some 10 MiB further in a slice
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendLog log;
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.reached >= 2; }));
    ASSERT_TRUE(throttle.Hold());

    for (int line : {2, 1}) {
        SelectLine(app, line);
        SendKey(ResultList(app), 'R');
        Answers(app.main);
    }
    SelectLine(app, 2);
    SendKey(ResultList(app), VK_DELETE);
    AnswerBox(app, "Are you sure you want to permanently delete this file ", IDYES, app.main);
    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_CHAR, 'n', 0);
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<std::string> now = ListLines(ResultList(app));
        return std::none_of(now.begin(), now.end(), [](const std::string &l) { return LineNumber(l) >= 0; });
    }, 10000)) << "the numbering pass did not end";
    throttle.pauseMs = 90;  // the copy goes on, slowed
    SetEvent(throttle.wake);
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.reached >= 3 || !IsWindow(progress); }));
    ASSERT_TRUE(throttle.Hold());

    HWND oldList = ResultList(app);
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return ResultList(app) != oldList; }));
    throttle.End();
    AnswerBox(app, "Search Completed!");
    ASSERT_TRUE(log.WaitFor(progress, [&] { return !IsWindow(progress); }));
    AnswerBox(app, "1 of 3 file(s) could not be sent.", IDOK, app.main);
    EXPECT_EQ(std::set<int>{6}, log.totals) << "n is the count of lines at the start";
    EXPECT_EQ(3, log.reached);
    EXPECT_EQ((std::set<std::string>{NameOf(lines[1]), NameOf(lines[3])}), FilesIn("E:"));
}

// Send All started while a paused search has listed some lines; the search then goes on and
// appends more while the send runs. The send counts and sends only the lines of its start.
using SendDuringSearchTest = TreeSearchTest;

TEST_F(SendDuringSearchTest, LinesAppendedAfterTheStartAreNotSent)
{
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= 100; }, 30000));
    Click(StartButton(app));  // pauses
    Throttle throttle;
    throttle.runMs = 1;  // a line or two every half second
    throttle.pauseMs = 500;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendLog log;
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.reached >= 1; }));
    int count = *log.totals.begin();
    Click(StartButton(app));  // resumes; stopped once lines have been appended
    ASSERT_TRUE(log.WaitFor(progress, [&] { return LineCount(app) >= count + 100; }, 30000));
    Click(AdvancedButton(app));
    ExpectCompletionBox(app);
    ASSERT_TRUE(IsWindow(progress) && log.reached < count) << "the send ended before lines were appended";
    throttle.End();
    ASSERT_TRUE(log.WaitFor(progress, [&] { return !IsWindow(progress); }));
    EXPECT_EQ(std::set<int>{count}, log.totals);
    EXPECT_EQ(count, log.reached);
}

}  // namespace
