// Running a search: pause, resume, stop, the buttons meanwhile, and closing during a search.
#include <algorithm>

#include "search_helpers.h"

namespace {

class SearchRunTest : public TreeSearchTest {
protected:
    std::string AdvancedCaption() { return WindowTextOf(AdvancedButton(app)); }

    // Starts the search and waits until it has listed at least n lines.
    void StartAndWaitFor(int n)
    {
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= n; }, 20000)) << "the list did not grow";
        ASSERT_EQ("Stop", AdvancedCaption());
    }

    void Pause()
    {
        ASSERT_EQ("Pause", StartCaption());
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return StartCaption() == "Start Searching"; }));
    }
};

// Two walkers, one of them in a folder of 2000 hits: a paused walker adds no line even in the
// middle of a folder, and changes no status, until Resume.
TEST_F(SearchRunTest, PauseHoldsTheListAndResumeContinuesIt)
{
    const int bigFolder = 2000;
    for (int i = 0; i < bigFolder; ++i)
        MakeFile("E:\\big\\" + std::to_string(i) + ".avi");
    TickDrives(app, {"D:", "E:"});
    StartAndWaitFor(300);
    Pause();
    Sleep(300);  // appends already under way settle
    int held = LineCount(app);
    std::string status = StatusText(app);
    Sleep(1200);
    EXPECT_EQ(held, LineCount(app));
    EXPECT_EQ(status, StatusText(app));
    EXPECT_EQ(0u, status.find("Searching ")) << status;
    EXPECT_EQ("Stop", AdvancedCaption());
    EXPECT_LT(held, kTreeFiles);

    Click(StartButton(app));  // Resume
    EXPECT_TRUE(WaitUntil([&] { return StartCaption() == "Pause"; }));
    EXPECT_TRUE(WaitUntil([&] { return LineCount(app) > held; }));
    ExpectCompletionBox(app);
    std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
    EXPECT_EQ(kTreeFiles + bigFolder, static_cast<int>(paths.size()));
    EXPECT_EQ(paths.size(), AsSet(paths).size());
    EXPECT_EQ("Start Searching", StartCaption());
    EXPECT_EQ("Advanced Search...", AdvancedCaption());
}

// Stop reaches a paused walker: it finishes the folder it stands in (at most one folder's files)
// and the normal report follows.
TEST_F(SearchRunTest, StopWhilePausedEndsWithTheNormalReport)
{
    StartAndWaitFor(100);
    Pause();
    Sleep(300);
    int held = LineCount(app);
    Click(AdvancedButton(app));  // Stop
    ExpectCompletionBox(app, 20000);
    EXPECT_EQ(0u, StatusText(app).find("Search completed in 0 Minute(s) and "));
    EXPECT_EQ("Start Searching", StartCaption());
    EXPECT_EQ("Advanced Search...", AdvancedCaption());
    std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
    EXPECT_GE(static_cast<int>(paths.size()), held);
    EXPECT_LE(static_cast<int>(paths.size()), held + kTreeFilesPerFolder);
}

TEST_F(SearchRunTest, CloseAsksWhileRunningAndWhilePaused)
{
    const char *question = "An ongoing operation has not completed yet. Are you sure you want to exit?";
    StartAndWaitFor(50);
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    HWND box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(question, MessageBoxText(box));
    EXPECT_EQ("Error", WindowTextOf(box));
    Answer(box, IDNO);
    ASSERT_TRUE(WaitGone(box));
    int before = LineCount(app);
    EXPECT_TRUE(WaitUntil([&] { return LineCount(app) > before; })) << "the search stopped after No";

    Pause();
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ(question, MessageBoxText(box));
    Answer(box, IDYES);
    EXPECT_TRUE(ProcessEnded(app));
}

// While a stop is pending the walker still lists the rest of its folder, and the two buttons do
// nothing: no second search starts and no dialog opens until the report is done.
TEST_F(SearchRunTest, StopFinishesTheCurrentFolderAndTheButtonsWaitForTheReport)
{
    const int perFolder = 1500;
    for (const char *folder : {"E:\\a\\", "E:\\b\\"})
        for (int i = 0; i < perFolder; ++i)
            MakeFile(folder + std::to_string(i) + ".avi");
    TickDrives(app, {"E:"});
    StartAndWaitFor(30);
    Click(AdvancedButton(app));  // Stop
    DWORD_PTR ignored;
    for (HWND button : {StartButton(app), AdvancedButton(app)})
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &ignored);
    // The captions first: lines only grow, so a count still short of the folder means the stop
    // was pending when they were read.
    std::string captions = StartCaption() + "|" + AdvancedCaption();
    ASSERT_LT(LineCount(app), perFolder) << "the stop was not pending while the buttons were pressed";
    EXPECT_EQ("Pause|Stop", captions);

    ExpectCompletionBox(app, 20000);
    EXPECT_TRUE(NoDialogFor(app, 1000));
    std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
    ASSERT_EQ(perFolder, static_cast<int>(paths.size()));
    std::string folder = paths[0].substr(0, paths[0].find_last_of('\\'));
    for (const std::string &p : paths)
        EXPECT_EQ(folder, p.substr(0, p.find_last_of('\\')));
}

// Numbers removed while the search still adds numbered lines: the list holds both forms, and
// adding the numbers again gives every line one prefix by its position. A second command while
// a pass runs is ignored.
TEST_F(SearchRunTest, NumberingDuringASearchLeavesBothFormsAndAddingRenumbersAll)
{
    StartAndWaitFor(300);
    PostCommand(app.main, 129);
    ExpectCompletionBox(app);
    std::vector<std::string> lines = AllLines(app);
    ASSERT_EQ(kTreeFiles, static_cast<int>(lines.size()));
    EXPECT_EQ(-1, LineNumber(lines.front()));
    EXPECT_EQ(kTreeFiles, LineNumber(lines.back())) << "lines added after the pass keep their numbers";

    PostCommand(app.main, 129);
    PostCommand(app.main, 129);  // ignored: the first pass still runs
    ASSERT_TRUE(WaitUntil([&] { return LineNumber(AllLines(app).front()) == 1; }, 20000));
    Sleep(500);
    lines = AllLines(app);
    std::vector<std::string> paths = PathsNumberedInOrder(lines);
    EXPECT_EQ(kTreeFiles, static_cast<int>(AsSet(paths).size()));
    for (const std::string &p : paths)
        ASSERT_EQ(0u, p.find("D:\\\\tree\\")) << p;
}

// Hits first, then a long stretch without any: E:\\hits holds the hits, and D: a tree of empty
// folders that its walker goes through meanwhile, so that no line lands while the user works.
// 6000 folders last a few seconds even on a quiet machine, several times what the checks take.
class PacedListTest : public SorvaneTest {
protected:
    static constexpr int kHits = 200, kStretchFolders = 100, kStretchSubfolders = 60;

    void SetUp() override
    {
        SorvaneTest::SetUp();
        for (int i = 0; i < kHits; ++i)
            MakeFile("E:\\hits\\h" + std::to_string(i) + ".jpg");
        for (int f = 0; f < kStretchFolders; ++f) {
            std::string folder = "D:\\s" + std::to_string(f);
            CreateDirectoryA(folder.c_str(), NULL);
            for (int e = 0; e < kStretchSubfolders; ++e)
                CreateDirectoryA((folder + "\\e" + std::to_string(e)).c_str(), NULL);
        }
        TickDrives(app, {"D:", "E:"});
    }
    int ListValue(UINT message) { return static_cast<int>(SendMessageW(ResultList(app), message, 0, 0)); }
    // A click on the row'th visible line, handled before this returns.
    void ClickRow(int row)
    {
        int h = ListValue(LB_GETITEMHEIGHT);
        LPARAM at = MAKELPARAM(40, row * h + h / 2);
        PostMessageA(ResultList(app), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(ResultList(app), WM_LBUTTONUP, 0, at);
        Answers(ResultList(app));
    }
};

std::vector<uint32_t> WindowPixels(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return ScreenPixels(r);
}

// The window's pixels once a tick has passed and they hold still: on a loaded machine a tick can
// come late, and a list that failed to draw holds still at once.
std::vector<uint32_t> SettledPixels(HWND window)
{
    Sleep(250);
    std::vector<uint32_t> now = WindowPixels(window), before;
    for (int i = 0; i < 20 && now != before; ++i) {
        Sleep(150);
        before = now;
        now = WindowPixels(window);
    }
    return now;
}

size_t PixelsThatDiffer(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b)
{
    size_t n = a.size() == b.size() ? 0 : std::max(a.size(), b.size());
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// A click, Page Down and a click during the stretch, then the window minimized and restored:
// a tick later the list shows what a full repaint of the same rows shows after the search, and
// the status line stays visible and drawn.
TEST_F(PacedListTest, TheListDrawsWhatTheUserDoesWhileNoLineLands)
{
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == kHits; }, 20000));
    HWND list = ResultList(app);
    SettledPixels(list);  // the last lines are drawn: from here on no line lands
    ClickRow(2);
    SendKey(list, VK_NEXT);
    ClickRow(3);
    std::vector<uint32_t> scrolled = SettledPixels(list);
    int top = ListValue(LB_GETTOPINDEX);
    ASSERT_GT(top, 0) << "Page Down did not scroll";
    ASSERT_EQ(top + 3, ListValue(LB_GETCURSEL));

    PostMessageA(app.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.main) != FALSE; }));
    PostMessageA(app.main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(app.main); }));
    Answers(app.main);
    std::vector<uint32_t> restored = SettledPixels(list);
    HWND status = ChildById(app.main, 128);
    EXPECT_TRUE(IsWindowVisible(status)) << "the status line is hidden";
    std::vector<uint32_t> statusPixels = WindowPixels(status);
    EXPECT_LT(std::count(statusPixels.begin(), statusPixels.end(), 0xFFFFFFu), static_cast<long>(statusPixels.size()))
        << "the status line is blank";
    ASSERT_EQ("Stop", WindowTextOf(AdvancedButton(app))) << "the search ended before the checks";
    ASSERT_EQ(0u, StatusText(app).find("Searching D:")) << StatusText(app);

    ExpectCompletionBox(app);
    ASSERT_EQ(kHits, LineCount(app));
    ASSERT_EQ(top, ListValue(LB_GETTOPINDEX));
    RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Answers(list);
    std::vector<uint32_t> full = SettledPixels(list);
    EXPECT_EQ(0u, PixelsThatDiffer(scrolled, full)) << "after the clicks and Page Down";
    EXPECT_EQ(0u, PixelsThatDiffer(restored, full)) << "after the restore";
}

}  // namespace
