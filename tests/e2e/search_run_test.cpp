// Running a search: pause, resume, stop, closing meanwhile, numbering passes while lines come,
// and the list drawing what the user does during a search.
#include "search_helpers.h"

namespace {

class SearchRunTest : public TreeSearchTest {
protected:
    std::string AdvancedCaption() { return WindowTextOf(AdvancedButton(app)); }

    void StartAndWaitFor(int lines)
    {
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= lines; }, 20000)) << "the list did not grow";
        ASSERT_EQ("Stop", AdvancedCaption());
    }
    void CloseAndAnswerNo()
    {
        PostMessageA(app.main, WM_CLOSE, 0, 0);
        HWND box = WaitForMessageBox(app);
        ASSERT_TRUE(box != NULL) << "no question before closing";
        EXPECT_EQ("An ongoing operation has not completed yet. Are you sure you want to exit?", MessageBoxText(box));
        EXPECT_EQ("Error", WindowTextOf(box));
        Answer(box, IDNO);
        ASSERT_TRUE(WaitGone(box));
    }
    // Pauses; once the appends under way have landed, neither a line nor a status text comes.
    void PauseAndExpectStill()
    {
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return StartCaption() == "Start Searching"; }));
        EXPECT_EQ("Stop", AdvancedCaption());
        int held = -1;
        WaitUntil([&] {
            int before = LineCount(app);
            Sleep(300);
            return (held = LineCount(app)) == before;
        });
        std::string status = StatusText(app);
        Sleep(1000);
        EXPECT_EQ(held, LineCount(app)) << "a paused search added lines";
        EXPECT_EQ(status, StatusText(app));
        EXPECT_EQ(0u, status.find("Searching ")) << status;
    }
};

// First E: alone, whose walker is paused and stopped in the middle of a folder of 1500 hits: it
// lists the rest of that folder, the buttons do nothing meanwhile, and the normal report follows.
// Then D: and E: together, while the numbers are removed: the list holds both forms, and adding
// the numbers again numbers every line by position; a second command while that pass runs is
// ignored.
TEST_F(SearchRunTest, PauseStopAndNumberingThroughTwoSearches)
{
    const int perFolder = 1500, total = kTreeFiles + 2 * perFolder;
    for (const char *folder : {"E:\\a\\", "E:\\b\\"})
        for (int i = 0; i < perFolder; ++i)
            MakeFile(folder + std::to_string(i) + ".avi");
    TickDrives(app, {"E:"});
    StartAndWaitFor(30);
    PauseAndExpectStill();
    CloseAndAnswerNo();
    const std::string paused = StartCaption() + "|" + AdvancedCaption();
    Click(AdvancedButton(app));  // Stop
    Answers(app.main);
    DWORD_PTR ignored;
    for (HWND button : {StartButton(app), AdvancedButton(app)})
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &ignored);
    // The captions first: lines only grow, so a count still short of the folder means the stop
    // was pending when they were read. A stop leaves them as they were.
    std::string captions = StartCaption() + "|" + AdvancedCaption();
    ASSERT_LT(LineCount(app), perFolder) << "the stop was not pending while the buttons were pressed";
    EXPECT_EQ(paused, captions);
    ExpectCompletionBox(app, 20000);
    EXPECT_TRUE(NoDialogFor(app, 1000));
    EXPECT_EQ(0u, StatusText(app).find("Search completed in 0 Minute(s) and ")) << StatusText(app);
    EXPECT_EQ("Start Searching", StartCaption());
    EXPECT_EQ("Advanced Search...", AdvancedCaption());
    std::vector<std::string> lines = PathsNumberedInOrder(AllLines(app));
    ASSERT_EQ(perFolder, static_cast<int>(lines.size()));
    for (const std::string &p : lines)
        EXPECT_EQ(lines[0].substr(0, lines[0].rfind('\\')), p.substr(0, p.rfind('\\')));

    TickDrives(app, {"D:", "E:"});
    StartAndWaitFor(300);
    CloseAndAnswerNo();
    PauseAndExpectStill();
    int held = LineCount(app);
    Click(StartButton(app));  // Resume
    EXPECT_TRUE(WaitUntil([&] { return StartCaption() == "Pause"; }));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) > held; })) << "the search did not go on";
    PostCommand(app.main, 129);
    ExpectCompletionBox(app);
    lines = AllLines(app);
    ASSERT_EQ(total, static_cast<int>(lines.size()));
    EXPECT_EQ(-1, LineNumber(lines.front()));
    EXPECT_EQ(total, LineNumber(lines.back())) << "numbers repeat, or later lines lost theirs";
    PostCommand(app.main, 129);
    PostCommand(app.main, 129);
    EXPECT_TRUE(WaitUntil([&] {
        lines = AllLines(app);
        for (size_t i = 0; i < lines.size(); ++i)
            if (LineNumber(lines[i]) != static_cast<int>(i) + 1)
                return false;
        return true;
    }, 60000)) << "not numbered by position";
    EXPECT_EQ(static_cast<size_t>(total), AsSet(PathsNumberedInOrder(lines)).size());
}

// Hits first (E:\hits), then a long stretch of empty folders (D:) during which no line lands:
// what the user does in the list then must be drawn within a tick.
class PacedListTest : public SorvaneTest {
protected:
    static constexpr int kHits = 200;

    void SetUp() override
    {
        SorvaneTest::SetUp();
        for (int i = 0; i < kHits; ++i)
            MakeFile("E:\\hits\\h" + std::to_string(i) + ".jpg");
        for (int f = 0; f < 100; ++f) {
            std::string folder = "D:\\s" + std::to_string(f);
            CreateDirectoryA(folder.c_str(), NULL);
            for (int e = 0; e < 60; ++e)
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
    // The list's pixels once it has the focus (its focus rectangle shows), a tick has passed and
    // they hold still: on a loaded machine both the focus and the tick can come late.
    std::vector<uint32_t> SettledPixels(bool focused = true)
    {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        DWORD thread = GetWindowThreadProcessId(app.main, NULL);
        EXPECT_TRUE(!focused || WaitUntil([&] {
            return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == ResultList(app);
        })) << "the list has no focus";
        RECT r;
        GetWindowRect(ResultList(app), &r);
        Sleep(250);
        std::vector<uint32_t> now = ScreenPixels(r), before;
        for (int i = 0; i < 20 && now != before; ++i) {
            Sleep(150);
            before = now;
            now = ScreenPixels(r);
        }
        return now;
    }
};

// A click, then Page Down: a tick later the list shows what a full repaint of the same
// rows shows after the search, and the status line stays visible.
TEST_F(PacedListTest, TheListDrawsWhatTheUserDoesWhileNoLineLands)
{
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == kHits; }, 20000));
    SettledPixels(false);  // the last lines are drawn: from here on no line lands
    ClickRow(2);
    SendKey(ResultList(app), VK_NEXT);
    Answers(ResultList(app));
    std::vector<uint32_t> scrolled = SettledPixels();
    int top = ListValue(LB_GETTOPINDEX);
    ASSERT_GT(top, 0) << "Page Down did not scroll";
    EXPECT_TRUE(IsWindowVisible(ChildById(app.main, 128))) << "the status line is hidden";
    ASSERT_EQ(0u, StatusText(app).find("Searching D:")) << "the search left the stretch before the checks";

    ExpectCompletionBox(app);
    ASSERT_EQ(top, ListValue(LB_GETTOPINDEX));
    RedrawWindow(ResultList(app), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    std::vector<uint32_t> full = SettledPixels();
    EXPECT_TRUE(scrolled == full) << "the list does not show what the user did";
}

}  // namespace
