// Sending through the real window: the two submenus, Send To and Send All To a drive or a chosen
// folder, never overwriting, the busy guard, lists without numbers or without lines, lines
// removed or renumbered during Send All, and the report of files that could not be sent.
#include <utility>

#include "send_helpers.h"

namespace {

using SendEngineTest = SorvaneTest;

// Cancels the folder browser that the send item opened.
void CancelBrowser(const Running &app, const char *what)
{
    HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
    ASSERT_TRUE(browser != NULL) << what;
    Answer(browser, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
}

// The line's path without its "(N) " prefix.
std::string PathOf(const std::string &line)
{
    std::string path;
    LineNumber(line, &path);
    return path;
}

std::string NameOf(const std::string &line)
{
    std::string path = PathOf(line);
    return path.substr(path.rfind('\\') + 1);
}

// Everything the progress window's status said while a send ran, read whenever a wait polls:
// the count i and the source of each "Sending i of n".
struct SendLog {
    std::vector<std::pair<int, std::string>> seen;  // consecutive repeats dropped
    std::set<int> totals;                            // every n shown
    void Read(HWND progress)
    {
        std::string text = ItemText(progress, kProgressStatus);
        int i = 0, n = 0;
        size_t from = text.find("From:  "), to = text.find(" \n To:");
        if (std::sscanf(text.c_str(), "Sending %d of %d", &i, &n) != 2 || from == std::string::npos ||
            to == std::string::npos || to < from)
            return;
        std::pair<int, std::string> entry(i, text.substr(from + 7, to - from - 7));
        if (seen.empty() || seen.back() != entry)
            seen.push_back(entry);
        totals.insert(n);
    }
    int Reached() const { return seen.empty() ? 0 : seen.back().first; }
    bool WaitForReached(HWND progress, int i, int timeoutMs = 60000)
    {
        return WaitUntil([&] { Read(progress); return Reached() >= i; }, timeoutMs);
    }
    bool WaitForEnd(HWND progress, int timeoutMs = 60000)
    {
        return WaitUntil([&] { Read(progress); return !IsWindow(progress); }, timeoutMs);
    }
    // Every status seen named sources[i - 1] as the file i of n, and the last one the last source.
    void Expect(const std::vector<std::string> &sources, int n) const
    {
        EXPECT_EQ(std::set<int>{n}, totals) << "n is the count of lines at the start";
        for (const auto &entry : seen) {
            ASSERT_TRUE(entry.first >= 1 && entry.first <= static_cast<int>(sources.size()))
                << "Sending " << entry.first << " of " << n << ": " << entry.second;
            EXPECT_EQ(sources[entry.first - 1], entry.second) << "file " << entry.first;
        }
        EXPECT_EQ(static_cast<int>(sources.size()), Reached()) << "the last file reached";
    }
};

// A file that the test holds open without sharing: the program cannot read it.
struct LockedFile {
    HANDLE handle;
    explicit LockedFile(const std::string &path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)) {}
    ~LockedFile() { if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle); }
};

// The report at the end of a send: it comes once the progress window has gone, owned by the main
// window, and once per send.
void ExpectSendReport(const Running &app, HWND progress, const std::string &text)
{
    HWND box = WaitForBoxSaying(app, "could not be sent", 30000);
    ASSERT_TRUE(box != NULL) << "no report: " << text;
    EXPECT_FALSE(IsWindow(progress)) << "the report came before the send's window had gone";
    AnswerBox(app, text, IDOK, app.main);
    EXPECT_TRUE(NoDialogFor(app, 800)) << "more than one box for one send";
}

// Selects line index and removes it with R, or deletes its file with Del and Yes.
void RemoveLine(const Running &app, int index, bool deleteFile)
{
    SelectLine(app, index);
    SendKey(ResultList(app), deleteFile ? VK_DELETE : 'R');
    if (deleteFile)
        AnswerBox(app, "Are you sure you want to permanently delete this file ", IDYES, app.main);
    Answers(app.main);
}

std::vector<std::string> PathsOf(const std::vector<std::string> &lines, const std::vector<int> &which)
{
    std::vector<std::string> paths;
    for (int i : which)
        paths.push_back(PathOf(lines[static_cast<size_t>(i)]));
    return paths;
}

TEST_F(SendEngineTest, SendToCopiesTheSelectedFileAndNothingWithoutASelection)
{
    MakeFile("D:\\pics\\a.jpg", 3000, 'a');
    MakeFile("D:\\pics\\b.jpg", 5000, 'b');
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(2u, lines.size());
    PickSendItem(app, false, 0);  // E:, the one removable drive
    EXPECT_TRUE(NoDialogFor(app, 1000)) << "no line selected: no window may open";

    SelectLine(app, lines[1].find("b.jpg") != std::string::npos ? 1 : 0);
    PickSendItem(app, false, 0);
    WaitForSendToEnd(app);
    EXPECT_EQ(std::set<std::string>{"b.jpg"}, FilesIn("E:"));
    EXPECT_EQ(std::string(5000, 'b'), ReadFileBytes("E:\\b.jpg"));
}

TEST_F(SendEngineTest, WithoutARemovableDriveEachSubmenuHoldsOnlyFolder)
{
    MakeFile("D:\\a.jpg", 10, 'a');
    ASSERT_EQ(1u, SearchDriveD(app).size());
    SelectLine(app, 0);
    {
        RemovableDriveGone gone;
        if (!gone.Changed())
            GTEST_SKIP() << "this Wine cannot turn E: into a fixed drive at run time";
        for (bool all : {false, true}) {
            PickSendItem(app, all, 0);  // the first item is now "Folder..."
            CancelBrowser(app, all ? "Send All To" : "Send To");
        }
        gone.Restore();
        ASSERT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), GetDriveTypeA("E:\\"));
    }
    // The drive is back at the next opening of the menu.
    PickSendItem(app, false, 0);
    WaitForSendToEnd(app);
    EXPECT_EQ(std::string(10, 'a'), ReadFileBytes("E:\\a.jpg"));
}

TEST_F(SendEngineTest, FolderItemsSendToTheFolderChosenInTheBrowser)
{
    MakeFile("D:\\set\\one.jpg", 100, '1');
    MakeFile("D:\\set\\two.mp3", 200, '2');
    MakeFile("D:\\set\\sub\\three.avi", 300, '3');
    // Kept by the copy: the last-write time and the attributes.
    SYSTEMTIME old = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME oldTime;
    SystemTimeToFileTime(&old, &oldTime);
    HANDLE one = CreateFileA("D:\\set\\one.jpg", FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(one, NULL, NULL, &oldTime);
    CloseHandle(one);
    SetFileAttributesA("D:\\set\\one.jpg", FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(3u, SearchDriveD(app).size());
    CreateDirectoryA("E:\\chosen", NULL);

    SelectLine(app, 0);
    PickSendItem(app, false, 1);  // after E: comes "Folder..."
    CancelBrowser(app, "Send To");
    EXPECT_TRUE(NoDialogFor(app, 800)) << "a cancelled choice still opened a window";

    PickSendItem(app, true, 1);
    ChooseFolderInBrowser(app, "E:\\chosen");
    WaitForSendToEnd(app);
    EXPECT_EQ((std::set<std::string>{"one.jpg", "two.mp3", "three.avi"}), FilesIn("E:\\chosen"));
    EXPECT_EQ(std::string(300, '3'), ReadFileBytes("E:\\chosen\\three.avi"));
    EXPECT_TRUE(FilesIn("E:").empty()) << "the source folders are not recreated";
    WIN32_FILE_ATTRIBUTE_DATA copy;
    ASSERT_TRUE(GetFileAttributesExA("E:\\chosen\\one.jpg", GetFileExInfoStandard, &copy));
    EXPECT_EQ(0, CompareFileTime(&oldTime, &copy.ftLastWriteTime));
    EXPECT_TRUE(copy.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributesA("E:\\chosen\\two.mp3") & FILE_ATTRIBUTE_READONLY);
}

TEST_F(SendEngineTest, SameNamesAndExistingTargetsAreNeverOverwritten)
{
    MakeFile("D:\\a\\same.jpg", 100, '1');
    MakeFile("D:\\b\\same.jpg", 200, '2');
    MakeFile("D:\\c\\kept.jpg", 50, 'n');
    MakeFile("D:\\c\\new.jpg", 70, 'w');
    MakeFile("E:\\kept.jpg", 3, 'o');
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(4u, lines.size());
    std::string firstSame;
    for (const std::string &line : lines)
        if (firstSame.empty() && line.find("same.jpg") != std::string::npos)
            firstSame = PathOf(line);

    PickSendItem(app, true, 0);
    WaitForSendToEnd(app);
    EXPECT_EQ((std::set<std::string>{"same.jpg", "kept.jpg", "new.jpg"}), FilesIn("E:"));
    EXPECT_EQ(ReadFileBytes(firstSame), ReadFileBytes("E:\\same.jpg")) << "the first of the two names wins";
    EXPECT_EQ("ooo", ReadFileBytes("E:\\kept.jpg"));
    EXPECT_EQ(std::string(70, 'w'), ReadFileBytes("E:\\new.jpg"));
    EXPECT_TRUE(NoDialogFor(app, 300)) << "a skipped file is not reported";
}

TEST_F(SendEngineTest, WithoutNumbersTheWholeLineIsThePathBlanksAndAll)
{
    MakeFile("D:\\my media\\a b.jpg", 11, 'a');
    MakeFile("D:\\my media\\(1) c  d.mp3", 12, 'c');
    ASSERT_EQ(2u, SearchDriveD(app).size());
    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_CHAR, 'n', 0);
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<std::string> lines = ListLines(ResultList(app));
        return lines.size() == 2 && lines[0].rfind("D:", 0) == 0 && lines[1].rfind("D:", 0) == 0;
    })) << "the numbers did not go";

    PickSendItem(app, true, 0);
    WaitForSendToEnd(app);
    EXPECT_EQ((std::set<std::string>{"a b.jpg", "(1) c  d.mp3"}), FilesIn("E:"));
    EXPECT_EQ(std::string(12, 'c'), ReadFileBytes("E:\\(1) c  d.mp3"));
}

TEST_F(SendEngineTest, AnEmptyListOpensTheWindowAndClosesItAfterHalfASecond)
{
    ASSERT_TRUE(SearchDriveD(app).empty());
    PickSendItem(app, true, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    DWORD seen = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 5000));
    EXPECT_GE(GetTickCount() - seen, 350u);
    EXPECT_TRUE(FilesIn("E:").empty());
}

TEST_F(SendEngineTest, AVanishedSourceShowsZeroBytesAndIsReportedAndAnEmptyFileShowsAHundredPercent)
{
    MakeFile("D:\\gone.jpg", 4000);
    MakeFile("D:\\empty.jpg", 0);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(2u, lines.size());
    int gone = lines[0].find("gone.jpg") != std::string::npos ? 0 : 1;
    DeleteFileA("D:\\gone.jpg");

    SelectLine(app, gone);
    PickSendItem(app, false, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    EXPECT_TRUE(WaitUntil([&] {
        return ItemText(progress, kProgressStatus) ==
               "Sending 1 of 1 (0.00 B Of 0.00 B , 0.00 B Left)\n From:  D:\\\\gone.jpg \n To:  E:\\gone.jpg";
    })) << ItemText(progress, kProgressStatus);
    ExpectSendReport(app, progress, "1 of 1 file(s) could not be sent.");

    SelectLine(app, 1 - gone);
    PickSendItem(app, false, 0);
    progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }));
    EXPECT_EQ(100, SendDlgItemMessageA(progress, kProgressBar, PBM_GETPOS, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 10000));
    EXPECT_EQ(std::set<std::string>{"empty.jpg"}, FilesIn("E:"));
}

TEST_F(SendEngineTest, ACancelThatNoCopySawDoesNotStopTheNextSend)
{
    MakeFile("D:\\a.jpg", 10, 'a');
    ASSERT_EQ(1u, SearchDriveD(app).size());
    PickSendItem(app, true, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }));
    Click(GetDlgItem(progress, kProgressCancel));  // during the last half second: no report follows
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 10000));
    DeleteFileA("E:\\a.jpg");

    PickSendItem(app, true, 0);
    WaitForSendToEnd(app, 10000);
    EXPECT_EQ(0, CountBoxesSaying(app, "cancelled"));
    EXPECT_EQ(std::string(10, 'a'), ReadFileBytes("E:\\a.jpg")) << "the old Cancel stopped the new send";
}

TEST_F(SendEngineTest, ASecondSendIsRefusedWhileOneCopies)
{
    MakeFile("D:\\big.mp4", 256ull << 20);
    MakeFile("D:\\small.jpg", 10, 's');
    ASSERT_EQ(2u, SearchDriveD(app).size());
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);

    PickSendItem(app, true, 0);
    HWND warning = WaitForBoxSaying(app, "Please wait while current sending process is completed");
    ASSERT_TRUE(warning != NULL) << "no warning";
    EXPECT_EQ("Sorvane 1.0", WindowTextOf(warning));
    EXPECT_EQ(1u, ProgressWindows(app).size()) << "a second window opened";
    Answer(warning, IDOK);
    EXPECT_TRUE(IsWindow(progress)) << "the running send must go on";
    throttle.End();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 30000));
    EXPECT_EQ(256ull << 20, FileSize("E:\\big.mp4"));
    EXPECT_EQ(10u, FileSize("E:\\small.jpg"));
}

TEST_F(SendEngineTest, CancelDuringTheThirdOfFiveKeepsTheFirstTwoAndTriesNoMore)
{
    for (char c = '1'; c <= '5'; ++c)
        MakeFile(std::string("D:\\five\\f") + c + ".mp4", 96ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(5u, lines.size());
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);

    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressStatus).rfind("Sending 3 of 5", 0) == 0; },
                          60000)) << ItemText(progress, kProgressStatus);
    HWND cancel = GetDlgItem(progress, kProgressCancel);
    Click(cancel);
    Click(cancel);  // twice before the next report: still one cancel
    HWND box = WaitForBoxSaying(app, "The copying operation has been cancelled", 20000);
    throttle.End();
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ("Sorvane 1.0", WindowTextOf(box));
    EXPECT_EQ(GetWindow(box, GW_OWNER), progress);
    std::set<std::string> firstTwo{NameOf(lines[0]), NameOf(lines[1])};
    EXPECT_EQ(firstTwo, FilesIn("E:")) << "the third's partial copy must be gone";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 5000));
    EXPECT_TRUE(NoDialogFor(app, 1000)) << "the message shows once";
    EXPECT_EQ(firstTwo, FilesIn("E:"));
    for (const std::string &name : firstTwo)
        EXPECT_EQ(96ull << 20, FileSize("E:\\" + name));
}

// The first file cannot be read; the second copies when a new search replaces the list. The
// report counts the two lines the send reached.
TEST_F(SendEngineTest, ANewSearchDuringSendAllEndsItAfterTheCurrentFile)
{
    for (char c = '1'; c <= '3'; ++c)
        MakeFile(std::string("D:\\r\\") + c + ".mp4", 128ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(3u, lines.size());
    LockedFile locked(PathOf(lines[0]));
    ASSERT_NE(INVALID_HANDLE_VALUE, locked.handle);
    Throttle throttle;
    throttle.runMs = 1;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressStatus).rfind("Sending 2 of 3", 0) == 0; }));
    ASSERT_TRUE(throttle.Hold());

    HWND oldList = ResultList(app);
    Click(StartButton(app));  // a new search replaces the list the send reads
    ASSERT_TRUE(WaitUntil([&] { return ResultList(app) != oldList; }));
    throttle.End();
    AnswerBox(app, "Search Completed!");  // the search and the send end in either order
    ExpectSendReport(app, progress, "1 of 2 file(s) could not be sent.");
    EXPECT_EQ(std::set<std::string>{NameOf(lines[1])}, FilesIn("E:"));
}

// The first of two files could not be read: a closing program shows no report of it.
TEST_F(SendEngineTest, ClosingDuringALargeCopyLeavesNoPartialFileAndNoReport)
{
    MakeFile("D:\\a\\huge.mp4", 1ull << 30);
    MakeFile("D:\\b\\huge.mp4", 1ull << 30);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(2u, lines.size());
    LockedFile locked(PathOf(lines[0]));
    ASSERT_NE(INVALID_HANDLE_VALUE, locked.handle);
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return FileExists("E:\\huge.mp4") && ItemText(progress, kProgressPercent) != "0%" &&
                                       !ItemText(progress, kProgressPercent).empty() &&
                                       ItemText(progress, kProgressStatus).rfind("Sending 2 of 2", 0) == 0; }, 30000));

    PostMessageA(app.main, WM_CLOSE, 0, 0);
    HWND ask = WaitForBoxSaying(app, "An ongoing operation has not completed yet. Are you sure you want to exit?");
    ASSERT_TRUE(ask != NULL);
    Answer(ask, IDYES);
    EXPECT_TRUE(ProcessEnded(app, 10000));
    throttle.End();
    EXPECT_FALSE(FileExists("E:\\huge.mp4")) << "a truncated copy was left behind";
    EXPECT_EQ(std::set<std::string>(), FilesIn("E:"));
}

// Send All of count files of 96 MiB, held while the second file copies, so that the user's
// changes land then.
class SendAllWhileListChangesTest : public SorvaneTest {
protected:
    std::vector<std::string> lines;
    Throttle throttle;
    HWND progress = NULL;
    SendLog log;

    void SendAllUntilTheSecondFile(char count)
    {
        for (char c = '1'; c < '1' + count; ++c)
            MakeFile(std::string("D:\\big\\") + c + ".mp4", 96ull << 20);
        lines = SearchDriveD(app);
        ASSERT_EQ(static_cast<size_t>(count), lines.size());
        throttle.runMs = 1;  // a copy gets some 10 MiB further in a slice
        progress = throttle.Send(app, true);
        ASSERT_TRUE(progress != NULL);
        ASSERT_TRUE(log.WaitForReached(progress, 2)) << ItemText(progress, kProgressStatus);
        ASSERT_TRUE(throttle.Hold());
    }
    // The second file still copies; the send then runs to its end.
    void FinishTheSend()
    {
        log.Read(progress);
        EXPECT_EQ(2, log.Reached()) << "the second file's copy ended before the changes";
        throttle.End();
        ASSERT_TRUE(log.WaitForEnd(progress));
    }
};

// The user removes the third line (before its turn), the second line (its copy finishes) and
// deletes the fifth file. The send goes on with the fourth and the sixth, as 3 and 4 of 6.
TEST_F(SendAllWhileListChangesTest, SendsExactlyTheLinesThatStayWhateverIsRemoved)
{
    ASSERT_NO_FATAL_FAILURE(SendAllUntilTheSecondFile(6));
    RemoveLine(app, 2, false);
    RemoveLine(app, 1, false);
    RemoveLine(app, 2, true);
    std::vector<std::string> left = ListLines(ResultList(app));
    ASSERT_EQ(3u, left.size());
    EXPECT_EQ(PathsOf(lines, {0, 3, 5}), PathsOf(left, {0, 1, 2}));
    ASSERT_NO_FATAL_FAILURE(FinishTheSend());
    log.Expect(PathsOf(lines, {0, 1, 3, 5}), 6);
    std::set<std::string> sent{NameOf(lines[0]), NameOf(lines[1]), NameOf(lines[3]), NameOf(lines[5])};
    EXPECT_EQ(sent, FilesIn("E:"));
    for (const std::string &name : sent)
        EXPECT_EQ(96ull << 20, FileSize("E:\\" + name)) << name;
    EXPECT_TRUE(NoDialogFor(app, 800)) << "every line reached was sent";
}

// A numbering pass deletes and inserts every line; two of them run during the second file.
TEST_F(SendAllWhileListChangesTest, NumberingPassesNeitherRepeatNorSkipALine)
{
    ASSERT_NO_FATAL_FAILURE(SendAllUntilTheSecondFile(5));
    for (bool numbered : {false, true}) {
        HWND popup = OpenContextMenu(app);
        ASSERT_TRUE(popup != NULL);
        PostMessageA(popup, WM_CHAR, 'n', 0);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<std::string> now = ListLines(ResultList(app));
            return now.size() == 5 && (LineNumber(now[4]) == 5) == numbered;
        }, 30000)) << "the numbering pass did not end";
    }
    ASSERT_NO_FATAL_FAILURE(FinishTheSend());
    log.Expect(PathsOf(lines, {0, 1, 2, 3, 4}), 5);
    EXPECT_EQ(5u, FilesIn("E:").size());
    EXPECT_TRUE(NoDialogFor(app, 800));
}

// Send To a file that cannot be read, then Send All of it, a file whose target exists and one
// that copies: each send shows one report, the existing target not counted.
TEST_F(SendEngineTest, ASendWithALockedSourceSaysSoOnceItHasEnded)
{
    MakeFile("D:\\locked.jpg", 3000, 'l');
    MakeFile("D:\\fine.jpg", 100, 'f');
    MakeFile("D:\\there.jpg", 100, 't');
    MakeFile("E:\\there.jpg", 5, 'o');
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(3u, lines.size());
    LockedFile locked("D:\\locked.jpg");
    ASSERT_NE(INVALID_HANDLE_VALUE, locked.handle);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("locked.jpg") != std::string::npos)
            SelectLine(app, static_cast<int>(i));

    PickSendItem(app, false, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ExpectSendReport(app, progress, "1 of 1 file(s) could not be sent.");

    PickSendItem(app, true, 0);
    progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ExpectSendReport(app, progress, "1 of 3 file(s) could not be sent.");
    EXPECT_EQ((std::set<std::string>{"fine.jpg", "there.jpg"}), FilesIn("E:"));
    EXPECT_EQ("ooooo", ReadFileBytes("E:\\there.jpg"));
}

// Send All started while a paused search has listed some lines; the search then goes on and
// appends more while the send runs. The send counts and sends only the lines of its start.
using SendDuringSearchTest = TreeSearchTest;

TEST_F(SendDuringSearchTest, LinesAppendedAfterTheStartAreNotSent)
{
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= 100; }, 30000));
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return StartCaption() == "Start Searching"; }));
    int count = -1;
    ASSERT_TRUE(WaitUntil([&] {  // the walkers finish the folders they are in
        int now = LineCount(app);
        bool still = now == count;
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
    ASSERT_TRUE(log.WaitForReached(progress, 1));
    Click(StartButton(app));  // resumes; stopped again once lines have been appended
    ASSERT_TRUE(WaitUntil([&] { log.Read(progress); return LineCount(app) >= count + 100; }, 30000));
    Click(AdvancedButton(app));
    ExpectCompletionBox(app);
    log.Read(progress);
    ASSERT_TRUE(IsWindow(progress) && log.Reached() < count) << "the send ended before lines were appended";
    throttle.End();
    ASSERT_TRUE(log.WaitForEnd(progress));
    EXPECT_EQ(std::set<int>{count}, log.totals);
    EXPECT_EQ(count, log.Reached());
    EXPECT_TRUE(NoDialogFor(app, 500)) << "the names repeat in every folder: those are not reported";
}

}  // namespace
