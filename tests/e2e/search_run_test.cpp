// Running a search: pause, resume, stop, closing meanwhile, numbering passes while lines come,
// and the list drawing what the user does during a search.
#include "search_helpers.h"

namespace {

class SearchRunTest : public TreeSearchTest {
protected:
    std::string Captions() { return StartCaption() + "|" + WindowTextOf(AdvancedButton(app)); }

    void CloseAndAnswerNo()
    {
        PostMessageA(app.main, WM_CLOSE, 0, 0);
        HWND box = WaitForMessageBox(app);
        ASSERT_TRUE(box != NULL) << "no question before closing";
        EXPECT_EQ("An ongoing operation has not completed yet. Are you sure you want to exit?", MessageBoxText(box));
        Answer(box, IDNO);
        ASSERT_TRUE(WaitGone(box));
    }
    // Starts; once lines come, closing asks first, and so it does after a Pause. Once the appends
    // under way have landed, a paused search adds neither a line nor a status text.
    void StartAndPause(int lines)
    {
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return LineCount(app) >= lines; }, 20000)) << "the list did not grow";
        CloseAndAnswerNo();
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return Captions() == "Start Searching|Stop"; }));
        CloseAndAnswerNo();
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
    }
};

// First E: alone, whose walker is paused and stopped in the middle of a folder of 1500 hits: it
// lists the rest of that folder, the buttons do nothing meanwhile, and the normal report follows.
// Then D: and E: together, while the numbers are removed: the list holds both forms, and adding
// the numbers again numbers every line by position; a second command while that pass runs is
// ignored.
TEST_F(SearchRunTest, PauseStopAndNumberingThroughTwoSearches)
{
    const int perFolder = 1500;
    for (const char *folder : {"E:\\a\\", "E:\\b\\"})
        for (int i = 0; i < perFolder; ++i)
            MakeFile(folder + std::to_string(i) + ".avi");
    TickDrives(app, {"E:"});
    StartAndPause(30);
    Click(AdvancedButton(app));  // Stop
    Answers(app.main);
    DWORD_PTR ignored;
    for (HWND button : {StartButton(app), AdvancedButton(app)})
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &ignored);
    // The captions first: lines only grow, so a count still short of the folder means the stop
    // was pending when they were read. A stop leaves them as they were.
    std::string captions = Captions();
    ASSERT_LT(LineCount(app), perFolder) << "the stop was not pending while the buttons were pressed";
    EXPECT_EQ("Start Searching|Stop", captions);
    ExpectCompletionBox(app, 20000);
    EXPECT_TRUE(NoDialogFor(app, 1000));
    EXPECT_EQ("Start Searching|Advanced Search...", Captions());
    EXPECT_EQ(perFolder, static_cast<int>(PathsNumberedInOrder(AllLines(app)).size()));

    // Full paths as joined, both backslashes after E: counted: 259 characters are listed, 260 not.
    const std::string deep = "E:\\" + std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\";
    MakeFile(deep + "ccccccccc.jpg");
    MakeFile(deep + "dddddddddd.jpg");
    const int total = kTreeFiles + 2 * perFolder + 1;
    TickDrives(app, {"D:", "E:"});
    StartAndPause(300);
    int held = LineCount(app);
    Click(StartButton(app));  // Resume
    EXPECT_TRUE(WaitUntil([&] { return StartCaption() == "Pause"; }));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) > held; })) << "the search did not go on";
    PostCommand(app.main, 129);
    ExpectCompletionBox(app);
    std::vector<std::string> lines = AllLines(app);
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
    EXPECT_EQ(total, static_cast<int>(AsSet(PathsNumberedInOrder(lines)).size()));
}

using PacedListTest = SorvaneTest;

// Hits first (E:\hits), then a long stretch of empty folders (D:) during which no line lands: a
// click and Page Down in the list then show, a tick later, what a full repaint of the same rows
// shows after the search, and the status line stays visible.
TEST_F(PacedListTest, TheListDrawsWhatTheUserDoesWhileNoLineLands)
{
    for (int i = 0; i < 200; ++i)
        MakeFile("E:\\hits\\h" + std::to_string(i) + ".jpg");
    for (int f = 0; f < 100; ++f) {
        std::string folder = "D:\\s" + std::to_string(f);
        CreateDirectoryA(folder.c_str(), NULL);
        for (int e = 0; e < 60; ++e)
            CreateDirectoryA((folder + "\\e" + std::to_string(e)).c_str(), NULL);
    }
    TickDrives(app, {"D:", "E:"});
    HWND list = NULL;
    // The list's pixels once it has the focus (its focus rectangle shows), a tick has passed and
    // they hold still: on a loaded machine both the focus and the tick can come late.
    auto settledPixels = [&](bool focused) {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        DWORD thread = GetWindowThreadProcessId(app.main, NULL);
        EXPECT_TRUE(!focused || WaitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == list; }));
        RECT r;
        GetWindowRect(list, &r);
        std::vector<uint32_t> now, before;
        EXPECT_TRUE(WaitUntil([&] {
            before = now;
            Sleep(150);
            return (now = ScreenPixels(r)) == before;
        }, 10000)) << "the list never held still";
        return now;
    };
    Click(StartButton(app));
    ASSERT_TRUE(WaitUntil([&] { return (list = ResultList(app)) && LineCount(app) == 200; }, 20000));
    settledPixels(false);  // the last lines are drawn: from here on no line lands
    int h = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 2 * h + h / 2));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(40, 2 * h + h / 2));
    SendKey(list, VK_NEXT);
    Answers(list);
    std::vector<uint32_t> scrolled = settledPixels(true);
    int top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    ASSERT_GT(top, 0) << "Page Down did not scroll";
    EXPECT_TRUE(IsWindowVisible(ChildById(app.main, 128))) << "the status line is hidden";
    ASSERT_EQ(0u, StatusText(app).find("Searching D:")) << "the search left the stretch before the checks";

    ExpectCompletionBox(app);
    ASSERT_EQ(top, SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_TRUE(scrolled == settledPixels(true)) << "the list does not show what the user did";
}

}  // namespace
