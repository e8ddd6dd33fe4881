// Start, pause, resume and stop at random moments, many times over, on a large tree: the list
// never loses, repeats or skips a number, and the window never stops answering.
#include <cstdlib>
#include <random>

#include "search_helpers.h"

namespace {

using SearchStressTest = TreeSearchTest;

int EnvInt(const char *name, int fallback)
{
    const char *v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

// SORVANE_STRESS_ROUNDS sets the number of rounds (default 100, about a minute under Wine; 200
// take about two), SORVANE_STRESS_SEED the random seed (printed, so that a failing run can be
// repeated).
TEST_F(SearchStressTest, RandomPauseResumeAndStopKeepTheNumbering)
{
    const int rounds = EnvInt("SORVANE_STRESS_ROUNDS", 100);
    const unsigned seed = static_cast<unsigned>(EnvInt("SORVANE_STRESS_SEED", static_cast<int>(GetTickCount())));
    std::printf("stress: %d rounds, seed %u\n", rounds, seed);
    std::mt19937 random(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };

    // Each round runs the walk for well under a second in all, far less than the whole tree
    // takes, so that every round ends by its Stop; a search that ended on its own all the same
    // (a very fast machine) ends the round early.
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return StartCaption() == "Pause"; }, 10000)) << "the search did not start";
        bool paused = false;
        HWND box = NULL;
        for (int step = pick(0, 4); step > 0 && !box; --step) {
            Sleep(static_cast<DWORD>(pick(0, paused ? 100 : 60)));
            if ((box = WaitForMessageBox(app, 0)) != NULL)
                break;
            Click(StartButton(app));  // Pause or Resume
            paused = !paused;
            ASSERT_TRUE(WaitUntil([&] {
                return StartCaption() == (paused ? "Start Searching" : "Pause") || (box = WaitForMessageBox(app, 0));
            }, 10000)) << "Pause/Resume did not take";
        }
        if (!box) {
            Sleep(static_cast<DWORD>(pick(0, 80)));
            if (!(box = WaitForMessageBox(app, 0)))
                Click(AdvancedButton(app));  // Stop, running or paused
            ASSERT_TRUE(Answers(app.main, 3000)) << "the window hangs";
            box = WaitForMessageBox(app, 30000);
        }
        ASSERT_TRUE(box != NULL) << "the search never ended";
        ASSERT_EQ("Search Completed!", MessageBoxText(box));
        Answer(box, IDOK);
        std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
        EXPECT_EQ(paths.size(), AsSet(paths).size()) << "a file was listed twice";
        EXPECT_LE(static_cast<int>(paths.size()), kTreeFiles);
        WaitGone(box);
    }
}

}  // namespace
