// The progress window of a running send: Esc, the busy guard, the time remaining, Cancel, and
// closing the program during a copy.
#include "send_helpers.h"

namespace {

using SendProgressTest = SorvaneTest;

// Two files of 1 GiB sent at once, slowed: Esc neither stops nor closes the window, a second send
// is refused, and the time remaining counts what is left of both files. Cancel then leaves no
// partial file; closing during the next send asks first and leaves none either.
TEST_F(SendProgressTest, EscBusyGuardTimeRemainingCancelAndClosing)
{
    MakeFile("D:\\l\\x.mp4", 1ull << 30);
    MakeFile("D:\\l\\y.mp4", 1ull << 30);
    ASSERT_EQ(2u, SearchDriveD(app).size());
    Throttle throttle;
    throttle.runMs = 1;  // some 10 MiB a second: the speed shows while the first file copies
    throttle.pauseMs = 1000;
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    SendKey(progress, VK_ESCAPE);
    PickSendItem(app, true, 0);
    AnswerBox(app, "Please wait while current sending process is completed", IDOK, app.main);

    // "Speed: 9.50 MB/s\nTime Remaining: 3 Minute(s) 25 Second(s)", or "... Remaining: 25 Second(s)".
    // The text was made at some earlier report: what was left then is at least what the
    // percentage read after it leaves of the first file, and all of the second.
    std::string speedText;
    WaitUntil([&] { return (speedText = ItemText(progress, kProgressSpeed)).rfind("Speed: ", 0) == 0; }, 60000);
    int percent = 0;
    std::sscanf(ItemText(progress, kProgressPercent).c_str(), "%d", &percent);
    ASSERT_EQ(0u, ItemText(progress, kProgressStatus).rfind("Sending 1 of 2", 0)) << "the first file ended first";
    double speed = 0;
    long long minutes = 0, seconds = 0;
    int got = std::sscanf(speedText.c_str(), "Speed: %lf MB/s\nTime Remaining: %lld Minute(s) %lld Second(s)", &speed,
                          &minutes, &seconds);
    ASSERT_GE(got, 2) << speedText;
    double remaining = got == 3 ? minutes * 60.0 + seconds : minutes;
    EXPECT_GE((remaining + 1) * (speed + 0.005), 1024.0 + 1024.0 * (99 - percent) / 100) << speedText;

    throttle.runMs = 10;  // the cancelled box is shown by the send's own thread
    throttle.pauseMs = 90;
    Click(GetDlgItem(progress, kProgressCancel));
    HWND box = WaitForBoxSaying(app, "The copying operation has been cancelled", 30000);
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(FilesIn("E:").empty()) << "the partial copy must be gone";
    Answer(box, IDOK);
    ASSERT_TRUE(WaitGone(progress, 30000));

    PickSendItem(app, true, 0);  // slowed as well
    progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return !FilesIn("E:").empty(); }, 30000));
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    HWND ask = WaitForBoxSaying(app, "An ongoing operation has not completed yet. Are you sure you want to exit?");
    ASSERT_TRUE(ask != NULL);
    Answer(ask, IDYES);
    EXPECT_TRUE(ProcessEnded(app, 10000));
    throttle.End();
    EXPECT_TRUE(FilesIn("E:").empty()) << "a partial copy was left behind";
}

}  // namespace
