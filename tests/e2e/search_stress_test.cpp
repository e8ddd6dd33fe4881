// Start, pause, resume and stop at random moments, many times over, on a large tree: the list
// never repeats or skips a number, and the window never stops answering.
#include <cstdlib>
#include <random>

#include "harness.h"

namespace {

using SearchStressTest = TreeSearchTest;

// SORVANE_STRESS_ROUNDS sets the number of rounds (default 100, about a minute under Wine),
// SORVANE_STRESS_SEED the random seed (printed, so that a failing run can be repeated).
TEST_F(SearchStressTest, RandomPauseResumeAndStopKeepTheNumbering)
{
    const char *rounds = std::getenv("SORVANE_STRESS_ROUNDS"), *seedText = std::getenv("SORVANE_STRESS_SEED");
    const unsigned seed = seedText ? std::strtoul(seedText, NULL, 10) : GetTickCount();
    std::printf("stress: seed %u\n", seed);
    std::mt19937 random(seed);
    auto upTo = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };

    // Each round presses Pause or Resume up to four times and then Stop, each after a wait of
    // well under a second in all, far less than the whole tree takes; a search that ended on its
    // own all the same (a very fast machine) ends the round early.
    for (int round = 0; round < (rounds ? std::atoi(rounds) : 100) && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Click(StartButton(app));
        ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(StartButton(app)) == "Pause"; }, 10000)) << "the search did not start";
        for (int step = upTo(4); step >= 0; --step) {
            Sleep(upTo(80));
            if (WaitForBox(app, "", 0))
                break;
            Click(step ? StartButton(app) : ChildById(app.main, 126));  // Pause or Resume, then Stop
            ASSERT_TRUE(SendNow(app.main, WM_NULL, 0, 0, 3000)) << "the window hangs";
        }
        ExpectCompletionBox(app, 30000);
        std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
        EXPECT_EQ(paths.size(), std::set<std::string>(paths.begin(), paths.end()).size()) << "a file was listed twice";
        EXPECT_LE(static_cast<int>(paths.size()), kTreeFiles);
    }
}

}  // namespace
