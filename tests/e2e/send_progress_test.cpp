// The progress window of a running send: its frame, the status text, and the percentage, speed
// and time remaining that it shows on a slowed copy.
#include <cmath>

#include "send_helpers.h"

namespace {

using SendProgressTest = SorvaneTest;

struct SpeedReading {
    double mbPerSecond = -1;
    long long seconds = -1;   // minutes folded in
};

// "Speed: 1.50 MB/s\nTime Remaining: 1 Minute(s) 1 Second(s)" or "... Remaining: 60 Second(s)".
bool ParseSpeed(const std::string &text, SpeedReading *r)
{
    long long a = 0, b = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Minute(s) %lld Second(s)%n",
                    &r->mbPerSecond, &a, &b, &used) == 3 && used == static_cast<int>(text.size())) {
        r->seconds = a * 60 + b;
        return a > 0 && b < 60;
    }
    if (std::sscanf(text.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Second(s)%n", &r->mbPerSecond, &a,
                    &used) == 2 && used == static_cast<int>(text.size())) {
        r->seconds = a;
        return a <= 60;
    }
    return false;
}

// The speed text once it shows (ParseSpeed then fails on anything else).
std::string SpeedShown(HWND progress)
{
    std::string text;
    WaitUntil([&] { return (text = ItemText(progress, kProgressSpeed)).rfind("Speed: ", 0) == 0; }, 60000);
    return text;
}

int PercentShown(HWND progress)
{
    std::string text = ItemText(progress, kProgressPercent);
    int p = -1, used = 0;
    if (std::sscanf(text.c_str(), "%d%%%n", &p, &used) != 1 || used != static_cast<int>(text.size()))
        return -1;
    return p;
}

// The time shown must be what is left divided by the speed shown. The text was made at some
// earlier report; the percentage read after it can only be higher, so what was left then lies
// between the whole remainder and the remainder at the percentage read now.
void ExpectTimeFitsSpeed(const SpeedReading &r, double leftMbAtMost, double leftMbAtLeast)
{
    ASSERT_GT(r.mbPerSecond, 0);
    double slack = 0.006 * (r.seconds + 1);  // the speed is shown rounded to 0.01
    EXPECT_LE(r.seconds * (r.mbPerSecond - 0.005), leftMbAtMost * (1 + slack)) << r.seconds << " s";
    EXPECT_GE((r.seconds + 1) * (r.mbPerSecond + 0.005), leftMbAtLeast * (1 - slack)) << r.seconds << " s";
}

// Two files of 256 MiB sent at once: the status counts what is left of the whole send, and so
// does the time remaining; Esc neither stops nor closes the window.
TEST_F(SendProgressTest, StatusSpeedAndTimeRemainingOfTheWholeSend)
{
    MakeFile("D:\\l\\x.mp4", 256ull << 20);
    MakeFile("D:\\l\\y.mp4", 256ull << 20);
    ASSERT_EQ(2u, SearchDriveD(app).size());
    Throttle throttle;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    EXPECT_EQ("Cancel", ItemText(progress, kProgressCancel));
    std::string status;
    WaitUntil([&] { return !(status = ItemText(progress, kProgressStatus)).empty(); });
    EXPECT_EQ(0u, status.rfind("Sending 1 of 2 (256.00 MB Of 512.00 MB , 512.00 MB Left)\n From:  D:\\\\l\\", 0))
        << status;
    SendKey(progress, VK_ESCAPE);

    SpeedReading r;
    std::string speedText = SpeedShown(progress);
    int percent = PercentShown(progress);
    bool first = ItemText(progress, kProgressStatus).rfind("Sending 1 of 2", 0) == 0;
    ASSERT_TRUE(ParseSpeed(speedText, &r)) << speedText;
    if (first)  // the rest of this file and all of the next
        ExpectTimeFitsSpeed(r, 512.0, 256.0 + 256.0 * (100 - percent - 1) / 100);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressStatus).rfind("Sending 2 of 2", 0) == 0; },
                          60000)) << "Esc must not stop the send";
    EXPECT_EQ(0u, ItemText(progress, kProgressStatus)
                      .rfind("Sending 2 of 2 (256.00 MB Of 512.00 MB , 256.00 MB Left)\n From:  D:\\\\l\\", 0));
    throttle.End();
    EXPECT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }, 30000));
    ASSERT_TRUE(WaitGone(progress, 30000));
    EXPECT_EQ((std::set<std::string>{"x.mp4", "y.mp4"}), FilesIn("E:"));
}

}  // namespace
