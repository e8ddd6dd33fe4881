// The progress window of a running send: the status text, and the speed and time remaining
// that it shows on a slowed copy.
#include "send_helpers.h"

namespace {

using SendProgressTest = SorvaneTest;

// "Speed: 1.50 MB/s\nTime Remaining: 1 Minute(s) 1 Second(s)" or "... Remaining: 61 Second(s)":
// the speed and the seconds shown (false on any other text).
bool ReadSpeedText(const std::string &text, double *speed, double *seconds)
{
    long long a = 0, b = 0;
    if (std::sscanf(text.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Minute(s) %lld Second(s)", speed, &a, &b) == 3)
        b += a * 60;
    else if (std::sscanf(text.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Second(s)", speed, &b) != 2)
        return false;
    *seconds = static_cast<double>(b);
    return true;
}

// Two files of 1 GiB sent at once (the copy runs at full speed until the throttle starts): the
// status counts what is left of the whole send, and so does the time remaining; Esc neither stops
// nor closes the window.
TEST_F(SendProgressTest, StatusSpeedAndTimeRemainingOfTheWholeSend)
{
    MakeFile("D:\\l\\x.mp4", 1ull << 30);
    MakeFile("D:\\l\\y.mp4", 1ull << 30);
    ASSERT_EQ(2u, SearchDriveD(app).size());
    Throttle throttle;
    throttle.runMs = 1;  // some 10 MiB a second: the speed shows while the first file copies
    throttle.pauseMs = 1000;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    EXPECT_EQ("Cancel", ItemText(progress, kProgressCancel));
    std::string status;
    WaitUntil([&] { return !(status = ItemText(progress, kProgressStatus)).empty(); });
    EXPECT_EQ(0u, status.rfind("Sending 1 of 2 (1024.00 MB Of 2048.00 MB , 2048.00 MB Left)\n From:  D:\\\\l\\", 0))
        << status;
    SendKey(progress, VK_ESCAPE);

    // The time shown is what is left of both files at the speed shown, cut to whole seconds, the
    // speed rounded to 0.01. The text was made at some earlier report: what was left then lies
    // between all of it and what the percentage read after it leaves.
    std::string speedText;
    WaitUntil([&] { return (speedText = ItemText(progress, kProgressSpeed)).rfind("Speed: ", 0) == 0; }, 60000);
    int percent = 0;
    std::sscanf(ItemText(progress, kProgressPercent).c_str(), "%d", &percent);
    ASSERT_EQ(0u, ItemText(progress, kProgressStatus).rfind("Sending 1 of 2", 0)) << "the first file ended first";
    double speed = 0, seconds = 0;
    ASSERT_TRUE(ReadSpeedText(speedText, &speed, &seconds)) << speedText;
    EXPECT_LE(seconds * (speed - 0.005), 2048.0) << speedText;
    EXPECT_GE((seconds + 1) * (speed + 0.005), 1024.0 + 1024.0 * (99 - percent) / 100) << speedText;
    throttle.End();
    ASSERT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressStatus).rfind("Sending 2 of 2", 0) == 0; },
                          60000)) << "Esc must not stop the send";
    EXPECT_EQ(0u, ItemText(progress, kProgressStatus)
                      .rfind("Sending 2 of 2 (1024.00 MB Of 2048.00 MB , 1024.00 MB Left)\n From:  D:\\\\l\\", 0));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(progress, kProgressPercent) == "100%"; }, 30000));
    ASSERT_TRUE(WaitGone(progress, 30000));
    EXPECT_EQ((std::set<std::string>{"x.mp4", "y.mp4"}), FilesIn("E:"));
}

}  // namespace
