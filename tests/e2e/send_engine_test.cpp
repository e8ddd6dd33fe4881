// Sending through the real window: Send To and Send All To a drive or a chosen folder, never
// overwriting, the report of files that could not be sent, Cancel, the busy guard, closing during
// a copy, and Send All while the user changes the list or starts a new search.
#include <shlobj.h>
#include <winioctl.h>

#include <cstring>
#include <utility>

#include "send_helpers.h"

namespace {

using SendEngineTest = SorvaneTest;

std::string PathOf(const std::string &line)
{
    std::string path;
    LineNumber(line, &path);
    return path;
}

std::string NameOf(const std::string &line) { return line.substr(line.rfind('\\') + 1); }

std::string StatusOf(HWND progress) { return ItemText(progress, kProgressStatus); }

int IndexOf(const std::vector<std::string> &lines, const std::string &name)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (NameOf(lines[i]) == name)
            return static_cast<int>(i);
    return -1;
}

// A file that the test holds open without sharing: the program cannot read it.
struct LockedFile {
    HANDLE handle;
    explicit LockedFile(const std::string &path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)) {}
    ~LockedFile() { CloseHandle(handle); }
};

// Starts a send whose report must come once, after its window has gone.
void SendExpectingReport(const Running &app, bool all, const std::string &text)
{
    PickSendItem(app, all, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitForBoxSaying(app, "could not be sent", 30000) != NULL) << "no report: " << text;
    EXPECT_FALSE(IsWindow(progress)) << "the report came before the send's window had gone";
    AnswerBox(app, text, IDOK, app.main);
    EXPECT_TRUE(NoDialogFor(app, 800)) << "more than one box for one send";
}

// Wine's mount manager redefines the prefix's E: as a fixed drive while the program runs, and
// back at the end. The drive record as Wine 8 lays it out; E:'s own record is read first.
struct WineDriveRecord {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
};

bool AskMountManager(DWORD function, DWORD access, void *in, DWORD inBytes, void *out, DWORD outBytes, DWORD *got)
{
    HANDLE mgr = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (mgr == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = DeviceIoControl(mgr, CTL_CODE('m', function, METHOD_BUFFERED, access), in, inBytes, out, outBytes, got,
                              NULL);
    CloseHandle(mgr);
    return ok != FALSE;
}

struct FixedDriveE {
    std::string mountPoint;  // E:'s unix folder; empty when E: is not a removable drive of this layout
    FixedDriveE()
    {
        WineDriveRecord in = {};
        in.size = sizeof in;
        in.letter = L'e';
        union { WineDriveRecord record; char bytes[4096]; } out = {};
        DWORD got = 0;
        if (AskMountManager(33, FILE_READ_ACCESS, &in, sizeof in, &out, sizeof out - 1, &got) && got >= sizeof in &&
            out.record.letter == L'e' && out.record.type == DRIVE_REMOVABLE &&
            out.record.mountPointOffset >= sizeof in && out.record.mountPointOffset < got)
            mountPoint = out.bytes + out.record.mountPointOffset;
        if (!mountPoint.empty() && !Define(DRIVE_FIXED))
            mountPoint.clear();
    }
    ~FixedDriveE() { if (!mountPoint.empty()) Define(DRIVE_REMOVABLE); }
    bool Define(ULONG type)
    {
        std::vector<char> in(sizeof(WineDriveRecord) + mountPoint.size() + 1);
        WineDriveRecord *record = reinterpret_cast<WineDriveRecord *>(in.data());
        record->size = static_cast<ULONG>(in.size());
        record->type = type;
        record->letter = L'e';
        record->mountPointOffset = sizeof(WineDriveRecord);
        std::memcpy(in.data() + sizeof(WineDriveRecord), mountPoint.c_str(), mountPoint.size() + 1);
        DWORD got = 0;
        return AskMountManager(32, FILE_READ_ACCESS | FILE_WRITE_ACCESS, in.data(), static_cast<DWORD>(in.size()),
                               NULL, 0, &got);
    }
};

// Answers the send's folder browser, whose title says what it is for; NULL: Cancel.
void AnswerSendFolderBrowser(const Running &app, const char *folder)
{
    HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
    ASSERT_TRUE(browser != NULL) << "no folder browser";
    EXPECT_TRUE(FindDescendant(browser, [](HWND w) {
        return WindowTextOf(w) == "Navigate to the folder you want to send data to";
    }) != NULL);
    AnswerFolderBrowser(app, browser, folder);
}

// Small files sent one by one and all at once: an existing target is kept and not reported, two
// sources of one name send the first, an unreadable or vanished source is reported; a Cancel
// that no copy saw does not stop the next send; with the removable drive gone, Folder... comes
// first in both submenus.
TEST_F(SendEngineTest, SendsNeverOverwriteAndReportWhatCouldNotBeSent)
{
    MakeFile("D:\\a\\same.jpg", 100, '1');
    MakeFile("D:\\b\\same.jpg", 200, '2');
    MakeFile("D:\\c\\kept.jpg", 50, 'n');
    MakeFile("D:\\c\\new.jpg", 70, 'w');
    MakeFile("D:\\c\\locked.jpg", 30, 'l');
    MakeFile("D:\\c\\gone.jpg", 40, 'g');
    MakeFile("E:\\kept.jpg", 3, 'o');
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(6u, lines.size());
    std::string firstSame = ReadFileBytes(PathOf(lines[static_cast<size_t>(IndexOf(lines, "same.jpg"))]));
    ASSERT_TRUE(DeleteFileA("D:\\c\\gone.jpg"));
    LockedFile locked("D:\\c\\locked.jpg");
    ASSERT_NE(INVALID_HANDLE_VALUE, locked.handle);
    PickSendItem(app, false, 0);
    EXPECT_TRUE(NoDialogFor(app, 1000)) << "no line selected: no window may open";

    int newLine = IndexOf(lines, "new.jpg");
    SelectLine(app, newLine);
    PickSendItem(app, false, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }));
    EXPECT_EQ("Sending 1 of 1 (70.00 B Of 70.00 B , 70.00 B Left)\n From:  " + PathOf(lines[static_cast<size_t>(newLine)]) +
              " \n To:  E:\\new.jpg", StatusOf(progress));
    Click(GetDlgItem(progress, kProgressCancel));  // in the pause after the last copy
    ASSERT_TRUE(WaitGone(progress, 10000));

    SelectLine(app, IndexOf(lines, "locked.jpg"));
    ASSERT_NO_FATAL_FAILURE(SendExpectingReport(app, false, "1 of 1 file(s) could not be sent."));
    ASSERT_NO_FATAL_FAILURE(SendExpectingReport(app, true, "2 of 6 file(s) could not be sent."));
    EXPECT_EQ((std::set<std::string>{"same.jpg", "kept.jpg", "new.jpg"}), FilesIn("E:"));
    EXPECT_EQ(firstSame, ReadFileBytes("E:\\same.jpg")) << "the first of the two names wins";
    EXPECT_EQ("ooo", ReadFileBytes("E:\\kept.jpg"));
    EXPECT_EQ(std::string(70, 'w'), ReadFileBytes("E:\\new.jpg"));

    FixedDriveE fixed;
    if (fixed.mountPoint.empty() || GetDriveTypeA("E:\\") != DRIVE_FIXED)
        GTEST_SKIP() << "this Wine cannot turn E: into a fixed drive at run time";
    ASSERT_TRUE(CreateDirectoryA("E:\\chosen", NULL));
    PickSendItem(app, false, 0);
    ASSERT_NO_FATAL_FAILURE(AnswerSendFolderBrowser(app, NULL));
    EXPECT_TRUE(NoDialogFor(app, 800)) << "a cancelled choice still opened a window";
    PickSendItem(app, true, 0);
    ASSERT_NO_FATAL_FAILURE(AnswerSendFolderBrowser(app, "E:\\chosen"));
    AnswerBox(app, "2 of 6 file(s) could not be sent.", IDOK, app.main);
    EXPECT_EQ((std::set<std::string>{"same.jpg", "kept.jpg", "new.jpg"}), FilesIn("E:\\chosen"));
    EXPECT_EQ(std::string(50, 'n'), ReadFileBytes("E:\\chosen\\kept.jpg"));
}

// Five files of 96 MiB: a second send is refused while the first copies; Cancel during the third
// keeps the first two whole and tries no more; closing during the next send asks and leaves no
// partial file.
TEST_F(SendEngineTest, BusyGuardCancelAndClosingDuringACopy)
{
    for (char c = '1'; c <= '5'; ++c)
        MakeFile(std::string("D:\\five\\f") + c + ".mp4", 96ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(5u, lines.size());
    std::set<std::string> firstTwo{NameOf(lines[0]), NameOf(lines[1])};
    {
        Throttle throttle;
        HWND progress = throttle.Send(app, true);
        ASSERT_TRUE(progress != NULL);
        PickSendItem(app, true, 0);
        AnswerBox(app, "Please wait while current sending process is completed", IDOK, app.main);
        ASSERT_TRUE(WaitUntil([&] { return StatusOf(progress).rfind("Sending 3 of 5", 0) == 0; }, 60000))
            << StatusOf(progress);
        HWND cancel = GetDlgItem(progress, kProgressCancel);
        Click(cancel);
        Click(cancel);  // twice before the next report: still one cancel
        HWND box = WaitForBoxSaying(app, "The copying operation has been cancelled", 20000);
        throttle.End();
        ASSERT_TRUE(box != NULL);
        EXPECT_EQ(progress, GetWindow(box, GW_OWNER));
        EXPECT_EQ(firstTwo, FilesIn("E:")) << "the third's partial copy must be gone";
        Answer(box, IDOK);
        ASSERT_TRUE(WaitGone(progress));
        EXPECT_TRUE(NoDialogFor(app, 1000)) << "the message shows once";
    }
    for (const std::string &name : firstTwo)
        EXPECT_EQ(96ull << 20, FileSize("E:\\" + name)) << name;

    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return FilesIn("E:").size() == 3 && StatusOf(progress).rfind("Sending 3", 0) == 0; },
                          30000));
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    HWND ask = WaitForBoxSaying(app, "An ongoing operation has not completed yet. Are you sure you want to exit?");
    ASSERT_TRUE(ask != NULL);
    Answer(ask, IDYES);
    EXPECT_TRUE(ProcessEnded(app, 10000));
    throttle.End();
    EXPECT_EQ(firstTwo, FilesIn("E:")) << "a partial copy was left behind";
}

// Every "Sending i of n" the progress window showed while a send ran, read whenever a wait polls:
// i and the source named.
struct SendLog {
    std::vector<std::pair<int, std::string>> seen;  // consecutive repeats dropped
    std::set<int> totals;                            // every n shown
    void Read(HWND progress)
    {
        std::string text = StatusOf(progress);
        int i = 0, n = 0;
        size_t from = text.find("From:  "), to = text.find(" \n To:");
        if (std::sscanf(text.c_str(), "Sending %d of %d", &i, &n) != 2 || to == std::string::npos || to < from)
            return;
        std::pair<int, std::string> entry(i, text.substr(from + 7, to - from - 7));
        if (seen.empty() || seen.back() != entry)
            seen.push_back(entry);
        totals.insert(n);
    }
    int Reached() const { return seen.empty() ? 0 : seen.back().first; }
    bool WaitFor(HWND progress, const std::function<bool()> &done, int timeoutMs = 60000)
    {
        return WaitUntil([&] { Read(progress); return done(); }, timeoutMs);
    }
    // Each line once, in order, as i of n, n the count of lines at the start.
    void Expect(const std::vector<std::string> &sources, int n) const
    {
        EXPECT_EQ(std::set<int>{n}, totals) << "n is the count of lines at the start";
        for (const auto &entry : seen) {
            ASSERT_TRUE(entry.first >= 1 && entry.first <= static_cast<int>(sources.size())) << entry.second;
            EXPECT_EQ(sources[static_cast<size_t>(entry.first - 1)], entry.second) << "file " << entry.first;
        }
        EXPECT_EQ(static_cast<int>(sources.size()), Reached()) << "the last file reached";
    }
};

// Send All of six files of 256 MiB, the first unreadable, held while the second copies. The user
// removes the third line (before its turn), the second (its copy finishes), deletes the fifth file
// and runs two numbering passes: the send goes on with the fourth as 3 of 6. A new search during
// that copy ends the send after it, and the report counts the three lines reached.
TEST_F(SendEngineTest, SendAllSendsExactlyTheLinesThatStayWhileTheListChanges)
{
    for (char c = '1'; c <= '6'; ++c)
        MakeFile(std::string("D:\\big\\") + c + ".mp4", 256ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(6u, lines.size());
    LockedFile locked(PathOf(lines[0]));
    ASSERT_NE(INVALID_HANDLE_VALUE, locked.handle);
    Throttle throttle;
    throttle.runMs = 1;  // a copy gets some 10 MiB further in a slice
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendLog log;
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.Reached() >= 2; })) << StatusOf(progress);
    ASSERT_TRUE(throttle.Hold());

    for (std::pair<int, bool> removal : {std::make_pair(2, false), std::make_pair(1, false), std::make_pair(2, true)}) {
        SelectLine(app, removal.first);
        SendKey(ResultList(app), removal.second ? VK_DELETE : 'R');
        if (removal.second)
            AnswerBox(app, "Are you sure you want to permanently delete this file ", IDYES, app.main);
        Answers(app.main);
    }
    std::vector<std::string> kept;
    for (const std::string &line : ListLines(ResultList(app)))
        kept.push_back(PathOf(line));
    EXPECT_EQ((std::vector<std::string>{PathOf(lines[0]), PathOf(lines[3]), PathOf(lines[5])}), kept);
    for (bool numbered : {false, true}) {
        auto done = [&] {
            std::vector<std::string> now = ListLines(ResultList(app));
            return now.size() == 3 && (LineNumber(now[2]) == 3) == numbered;
        };
        for (int tries = 0; tries < 5 && !done(); ++tries) {  // a pass that has just ended may refuse the next
            HWND popup = OpenContextMenu(app);
            ASSERT_TRUE(popup != NULL);
            PostMessageA(popup, WM_CHAR, 'n', 0);
            WaitUntil(done, 3000);
        }
        ASSERT_TRUE(done()) << "the numbering pass did not end";
    }
    log.Read(progress);
    EXPECT_EQ(2, log.Reached()) << "the second file's copy ended before the changes";
    throttle.pauseMs = 90;  // the copy goes on, slowed
    SetEvent(throttle.wake);
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.seen.back().second != PathOf(lines[1]) || !IsWindow(progress); }));
    ASSERT_TRUE(throttle.Hold());

    HWND oldList = ResultList(app);
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return ResultList(app) != oldList; }));
    throttle.End();
    AnswerBox(app, "Search Completed!");  // the search and the send end in either order
    ASSERT_TRUE(log.WaitFor(progress, [&] { return !IsWindow(progress); }));
    AnswerBox(app, "1 of 3 file(s) could not be sent.", IDOK, app.main);
    log.Expect({PathOf(lines[0]), PathOf(lines[1]), PathOf(lines[3])}, 6);
    std::set<std::string> sent{NameOf(lines[1]), NameOf(lines[3])};
    EXPECT_EQ(sent, FilesIn("E:"));
    for (const std::string &name : sent)
        EXPECT_EQ(256ull << 20, FileSize("E:\\" + name)) << name;
    EXPECT_TRUE(NoDialogFor(app, 800)) << "one report";
}

// Send All started while a paused search has listed some lines; the search then goes on and
// appends more while the send runs. The send counts and sends only the lines of its start.
using SendDuringSearchTest = TreeSearchTest;

TEST_F(SendDuringSearchTest, LinesAppendedAfterTheStartAreNotSent)
{
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= 100; }, 30000));
    Click(StartButton(app));
    int count = -1;
    ASSERT_TRUE(WaitUntil([&] {  // the walkers finish the folders they are in
        int now = LineCount(app);
        bool still = now == count && StartCaption() == "Start Searching";
        count = now;
        Sleep(200);
        return still;
    }, 10000));
    Throttle throttle;
    throttle.runMs = 1;  // a line or two every half second
    throttle.pauseMs = 500;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendLog log;
    ASSERT_TRUE(log.WaitFor(progress, [&] { return log.Reached() >= 1; }));
    Click(StartButton(app));  // resumes; stopped again once lines have been appended
    ASSERT_TRUE(log.WaitFor(progress, [&] { return LineCount(app) >= count + 100; }, 30000));
    Click(AdvancedButton(app));
    ExpectCompletionBox(app);
    log.Read(progress);
    ASSERT_TRUE(IsWindow(progress) && log.Reached() < count) << "the send ended before lines were appended";
    throttle.End();
    ASSERT_TRUE(log.WaitFor(progress, [&] { return !IsWindow(progress); }));
    EXPECT_EQ(std::set<int>{count}, log.totals);
    EXPECT_EQ(count, log.Reached());
    EXPECT_TRUE(NoDialogFor(app, 500)) << "the names repeat in every folder: those are not reported";
}

}  // namespace
