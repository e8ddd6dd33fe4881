// Sending through the real window: Send To and Send All To, never overwriting, the report of
// files that could not be sent, the progress window (Esc, the busy guard, the time remaining,
// Cancel, closing the program meanwhile), and Send All while the user changes the list or a
// search goes on.
#include <algorithm>
#include <cstdlib>

#include "harness.h"

namespace {

using SendEngineTest = SorvaneTest;

std::string NameOf(const std::string &line) { return line.substr(line.rfind('\\') + 1); }

// Takes E: out of the system's drive list while it lives; Wine still reaches its files.
struct HiddenDriveE {
    char target[MAX_PATH] = "";
    bool hidden = QueryDosDeviceA("E:", target, MAX_PATH) && DefineDosDeviceA(DDD_REMOVE_DEFINITION, "E:", NULL);
    ~HiddenDriveE() { if (hidden) DefineDosDeviceA(DDD_RAW_TARGET_PATH, "E:", target); }
};

// Send To of one file shows that file's size as the total; Cancel in the pause after its copy
// does not stop the next send. Send All then keeps the existing targets, even one too large for E:
// (skipped, not failed), and reports the unreadable file once, after its window has gone. With
// the removable drive gone, Folder... comes first.
TEST_F(SendEngineTest, SendsNeverOverwriteAndReportWhatCouldNotBeSent)
{
    MakeFile("D:\\c\\kept.jpg", 50);
    MakeFile("D:\\c\\huge.jpg", 1ull << 42);   // sparse, and more than E: holds
    MakeFile("D:\\c\\new.jpg", 70);
    MakeFile("D:\\c\\more.jpg", 60);
    MakeFile("D:\\c\\locked.jpg", 30);
    WriteFileBytes("E:\\kept.jpg", "ooo");
    WriteFileBytes("E:\\huge.jpg", "o");
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(5u, lines.size());
    // Opened without sharing until the test ends: the program cannot read it.
    ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA("D:\\c\\locked.jpg", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));

    auto isNew = [](const std::string &line) { return NameOf(line) == "new.jpg"; };
    SelectLine(app, static_cast<int>(std::find_if(lines.begin(), lines.end(), isNew) - lines.begin()));
    PickSendItem(app, false);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }));
    EXPECT_EQ(0u, ItemText(progress, kProgressStatus).rfind("Sending 1 of 1 (70.00 B Of 70.00 B , 70.00 B Left)", 0))
        << ItemText(progress, kProgressStatus);
    Click(GetDlgItem(progress, kProgressCancel));
    ASSERT_TRUE(WaitGone(progress, 10000));

    PickSendItem(app, true);
    progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitForBox(app, "could not be sent", 30000) != NULL) << "no report";
    EXPECT_FALSE(IsWindow(progress)) << "the report came before the send's window had gone";
    AnswerBox(app, "1 of 5 file(s) could not be sent.", IDOK, app.main);
    EXPECT_TRUE(NoDialogFor(app, 800)) << "more than one box for one send";
    EXPECT_EQ("ooo", ReadFileBytes("E:\\kept.jpg"));

    HiddenDriveE gone;
    PickSendItem(app, false);
    HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
    ASSERT_TRUE(browser != NULL) << "the submenu still offers the drive that has gone";
    AnswerFolderBrowser(app, browser, nullptr);
}

// Two files of 1 GiB sent at once, slowed: the window has Windows' size (340 x 170 units of
// "MS Sans Serif" 8's 6 x 13) and holds its controls; Esc neither stops nor closes it, a second send
// is refused, and the time remaining counts what is left of both files. Cancel then leaves no
// partial file; closing during the next send asks first and leaves none either.
TEST_F(SendEngineTest, EscBusyGuardTimeRemainingCancelAndClosing)
{
    MakeFile("D:\\l\\x.mp4", 1ull << 30);
    MakeFile("D:\\l\\y.mp4", 1ull << 30);
    ASSERT_EQ(2u, SearchDriveD(app).size());
    Throttle throttle;
    throttle.runMs = 1;  // some 10 MiB a second: the speed shows while the first file copies
    throttle.pauseMs = 1000;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    EXPECT_EQ("510x276", ClientHoldingItsControls(progress));
    SendKey(progress, VK_ESCAPE);
    PickSendItem(app, true);
    AnswerBox(app, "Please wait while current sending process is completed", IDOK, app.main);

    // "Speed: 9.50 MB/s\nTime Remaining: 3 Minute(s) 25 Second(s)", or "... Remaining: 25 Second(s)".
    // The text was made at some earlier report: what was left then is at least what the
    // percentage read after it leaves of the first file, and all of the second.
    std::string speedText;
    WaitUntil([&] { return (speedText = ItemText(progress, kProgressSpeed)).rfind("Speed: ", 0) == 0; }, 60000);
    int percent = std::atoi(ItemText(progress, kProgressPercent).c_str());
    ASSERT_EQ(0u, ItemText(progress, kProgressStatus).rfind("Sending 1 of 2", 0)) << "the first file ended first";
    double speed = 0;
    long long minutes = 0, seconds = 0;
    int got = std::sscanf(speedText.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Minute(s) %lld Second(s)", &speed,
                          &minutes, &seconds);
    ASSERT_GE(got, 2) << speedText;
    double remaining = got == 3 ? minutes * 60.0 + seconds : minutes;
    EXPECT_GE((remaining + 1) * (speed + 0.005), 1024.0 + 1024.0 * (99 - percent) / 100) << speedText;

    throttle.runMs = 10;  // the cancelled box is shown by the send's own thread
    throttle.pauseMs = 90;
    Click(GetDlgItem(progress, kProgressCancel));
    HWND box = WaitForBox(app, "The copying operation has been cancelled", 30000);
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(FilesIn("E:").empty()) << "the partial copy must be gone";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitGone(progress, 30000));

    PickSendItem(app, true);  // slowed as well
    ASSERT_TRUE(WaitUntil([&] { return !FilesIn("E:").empty(); }, 30000)) << "the copy did not begin";
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    AnswerBox(app, "An ongoing operation has not completed yet. Are you sure you want to exit?", IDYES, app.main, "Error");
    EXPECT_TRUE(ProcessEnded(app, 10000));
    throttle.End();
    EXPECT_TRUE(FilesIn("E:").empty()) << "a partial copy was left behind";
}

// The "Sending i of n" texts that a send's window showed, read whenever a wait polls.
struct SendLog {
    int reached = 0;       // the last i shown
    std::set<int> totals;  // every n shown
    bool WaitFor(HWND progress, const std::function<bool()> &done, int timeoutMs = 60000)
    {
        return WaitUntil([&] {
            int n = 0;
            if (std::sscanf(ItemText(progress, kProgressStatus).c_str(), "Sending %d of %d", &reached, &n) == 2)
                totals.insert(n);
            return done();
        }, timeoutMs);
    }
};

// Send All of six files of 256 MiB, the first unreadable, held while the second copies. The user
// removes the third line (before its turn) and the second (its copy finishes), and takes the
// numbers off: the send goes on with the fourth as 3 of 6. A new search during that copy ends
// the send after it, and the report counts the three lines reached.
TEST_F(SendEngineTest, SendAllSendsExactlyTheLinesThatStayWhileTheListChanges)
{
    for (char c = '1'; c <= '6'; ++c)
        MakeFile(std::string("D:\\big\\") + c + ".mp4", 256ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(6u, lines.size());
    std::string first = "D:\\big\\" + NameOf(lines[0]);  // unreadable: opened without sharing
    ASSERT_NE(INVALID_HANDLE_VALUE, CreateFileA(first.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));
    Throttle throttle;
    throttle.runMs = 1;  // a copy gets some 10 MiB further in a slice
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendLog log;
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.reached >= 2; }));
    ASSERT_TRUE(throttle.Hold());

    int left = 6;
    for (int line : {2, 1}) {  // the third, then the second; a key is posted, so wait for its effect
        SelectLine(app, line);
        SendKey(ResultList(app), 'R');
        --left;
        ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == left; })) << "line " << line << " stayed";
    }
    PostCommand(app.main, 129);  // Add/Remove File Numbers: the pass rewrites the lines in order
    ASSERT_TRUE(WaitUntil([&] { return LineNumber(AllLines(app).back()) < 0; }, 10000))
        << "the numbering pass did not end";
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
    ASSERT_LE(count, LineCount(app)) << "the send counts lines the list does not hold";
    Click(StartButton(app));  // resumes
    ASSERT_TRUE(log.WaitFor(progress, [&] { return LineCount(app) >= count + 100; }, 30000));
    ASSERT_TRUE(IsWindow(progress) && log.reached < count) << "the send ended before lines were appended";
    throttle.End();
    ASSERT_TRUE(log.WaitFor(progress, [&] { return !IsWindow(progress); }));
    EXPECT_EQ(std::set<int>{count}, log.totals);
    EXPECT_EQ(count, log.reached);
}

}  // namespace
