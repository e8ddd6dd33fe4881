// Sending through the real window: the two submenus, Send To and Send All To a drive or a chosen
// folder, never overwriting, the busy guard, and lists without numbers or without lines.
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

TEST_F(SendEngineTest, AVanishedSourceShowsZeroBytesAndAnEmptyFileShowsAHundredPercent)
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
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 10000));
    EXPECT_TRUE(NoDialogFor(app, 500)) << "a failed copy says nothing";

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

TEST_F(SendEngineTest, ANewSearchDuringSendAllEndsItAfterTheCurrentFile)
{
    for (char c = '1'; c <= '3'; ++c)
        MakeFile(std::string("D:\\r\\") + c + ".mp4", 128ull << 20);
    std::vector<std::string> lines = SearchDriveD(app);
    ASSERT_EQ(3u, lines.size());
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressStatus).rfind("Sending 1 of 3", 0) == 0; }));

    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));  // replaces the list the send reads
    throttle.End();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 30000));
    EXPECT_EQ(std::set<std::string>{NameOf(lines[0])}, FilesIn("E:"));
}

TEST_F(SendEngineTest, ClosingDuringALargeCopyLeavesNoPartialFile)
{
    MakeFile("D:\\huge.mp4", 1ull << 30);
    ASSERT_EQ(1u, SearchDriveD(app).size());
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return FileExists("E:\\huge.mp4") && ItemText(progress, kProgressPercent) != "0%" &&
                                       !ItemText(progress, kProgressPercent).empty(); }, 30000));

    PostMessageA(app.main, WM_CLOSE, 0, 0);
    HWND ask = WaitForBoxSaying(app, "An ongoing operation has not completed yet. Are you sure you want to exit?");
    ASSERT_TRUE(ask != NULL);
    Answer(ask, IDYES);
    EXPECT_TRUE(ProcessEnded(app, 10000));
    throttle.End();
    EXPECT_FALSE(FileExists("E:\\huge.mp4")) << "a truncated copy was left behind";
    EXPECT_EQ(std::set<std::string>(), FilesIn("E:"));
}

}  // namespace
