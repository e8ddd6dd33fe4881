// Running a search: pause, resume, stop, closing meanwhile, numbering passes while lines come.
#include <algorithm>

#include "harness.h"

namespace {

class SearchRunTest : public TreeSearchTest {
protected:
    HWND StopButton() { return ChildById(app.main, 126); }   // Advanced Search... while none runs
    std::string Captions() { return WindowTextOf(StartButton(app)) + "|" + WindowTextOf(StopButton()); }

    void CloseAndAnswerNo()
    {
        PostMessageA(app.main, WM_CLOSE, 0, 0);
        AnswerBox(app, "An ongoing operation has not completed yet. Are you sure you want to exit?", IDNO, app.main, "Error");
    }
    // Starts; once lines come, closing asks first, and so it does after a Pause. Once the appends
    // under way have landed, a paused search adds no line.
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
        Sleep(1000);
        EXPECT_EQ(held, LineCount(app)) << "a paused search added lines";
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
    for (HWND button : {StopButton(), StartButton(app), StopButton()})  // Stop, then both again
        SendNow(button, BM_CLICK);
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
    EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(StartButton(app)) == "Pause"; }));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) > held; })) << "the search did not go on";
    SendNow(app.main, WM_COMMAND, 129);  // while the search runs
    ExpectCompletionBox(app);
    std::vector<std::string> lines = AllLines(app);
    ASSERT_EQ(total, static_cast<int>(lines.size()));
    EXPECT_EQ(-1, LineNumber(lines.front()));
    EXPECT_EQ(total, LineNumber(lines.back())) << "numbers repeat, or later lines lost theirs";
    PostCommand(app.main, 129);
    PostCommand(app.main, 129);
    EXPECT_TRUE(WaitUntil([&] {
        lines = AllLines(app);
        return std::none_of(lines.begin(), lines.end(), [](const std::string &l) { return LineNumber(l) == -1; });
    }, 60000)) << "lines left without a number";
    EXPECT_EQ(total, static_cast<int>(std::set<std::string>(lines.begin(), lines.end()).size()));
}

}  // namespace
