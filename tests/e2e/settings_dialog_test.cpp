// The advanced search settings dialog through its real window: the radio and check behaviour,
// OK with its questions, Cancel and the folder browser. What OK committed is read back from the
// next opening and from the main window.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using AdvancedDialogTest = SettingsTest;

TEST_F(AdvancedDialogTest, DefaultsRadioButtonsChecksAndKeys)
{
    Open();
    EXPECT_FALSE(IsWindowEnabled(app.main)) << "the dialog is modal";
    EXPECT_EQ(app.main, GetWindow(dlg, GW_OWNER));
    EXPECT_TRUE(On(154) && !On(153) && !Shown(159));
    EXPECT_TRUE(On(156) && !On(160) && !On(155) && !Shown(111) && !Shown(157));
    EXPECT_TRUE(!On(161) && !On(162));
    // White behind the dialog and behind a radio button's and a check box's own area.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dlg; }));
    RedrawWindow(dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    HDC screen = GetDC(NULL);
    for (POINT p : {POINT{5, 5}, POINT{265, 40}, POINT{210, 260}}) {
        ClientToScreen(dlg, &p);
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, p.x, p.y)) << p.x << "," << p.y;
    }
    ReleaseDC(NULL, screen);

    PressAndWait(155, [&] { return On(155) && Shown(111) && Shown(157) && !On(156) && !On(160); }, "own");
    PressAndWait(160, [&] { return On(160) && !Shown(157) && !Shown(111) && !On(155); }, "everything");
    PressAndWait(155, [&] { return On(155); }, "own again");
    PressAndWait(156, [&] { return On(156) && !Shown(157) && !Shown(111) && !On(155) && !On(160); }, "default");
    PressAndWait(156, [&] { return On(156); }, "a checked radio button stays checked");
    // A cancelled folder browse falls back to the default drives; a hidden label keeps its text.
    BrowseTo(-1);
    EXPECT_TRUE(WaitUntil([&] { return On(154) && !On(153) && !Shown(159); }));
    BrowseTo(1);
    EXPECT_TRUE(WaitUntil([&] { return On(153) && !On(154) && Shown(159) && Text(159) == "D:\\"; }));
    PressAndWait(154, [&] { return On(154) && !On(153) && !Shown(159) && Text(159) == "D:\\"; }, "drives");
    PressAndWait(161, [&] { return On(161); }, "minimum ticks");
    PressAndWait(161, [&] { return !On(161); }, "minimum unticks");
    PressAndWait(162, [&] { return On(162); }, "maximum ticks");

    // Escape and Enter do not end the dialog; the close box does, as Cancel.
    SendKey(Ctl(163), VK_ESCAPE);
    SendKey(Ctl(163), VK_RETURN);
    PressAndWait(162, [&] { return !On(162); }, "after the keys");
    EXPECT_TRUE(IsWindowVisible(dlg));
    PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Closed());
    EXPECT_TRUE(BoxesTicked(113, true) && BoxesTicked(114, true));
    Open();
    EXPECT_TRUE(On(154) && On(156) && !On(161) && !On(162)) << "closing committed nothing";
}

TEST_F(AdvancedDialogTest, OkCommitsAndTheMainWindowReacts)
{
    Open();
    BrowseTo(1);
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, ".avi .mkv");
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "010");
    StepUnit(165, VK_DOWN);   // KB -> MB
    ASSERT_TRUE(WaitUntil([&] { return Unit(165) == 1; }));
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "1234567890");   // read as its first 9 digits
    PressOkAndExpectClose();
    EXPECT_TRUE(WaitUntil([&] { return BoxesTicked(113, false) && BoxesTicked(114, false); }));

    Open();
    EXPECT_TRUE(On(153) && Shown(159) && On(155) && Shown(157) && On(161) && On(162));
    EXPECT_EQ("D:\\|.avi .mkv|10|123456789", Text(159) + "|" + Text(157) + "|" + Text(163) + "|" + Text(164));
    EXPECT_EQ(1, Unit(165));
    // Typing into a value box without ticking it commits nothing for that limit.
    PressAndWait(161, [&] { return !On(161); }, "minimum off");
    PressAndWait(160, [&] { return On(160); }, "everything");
    SetText(164, "77");
    PressAndWait(162, [&] { return !On(162); }, "maximum off");
    PressAndWait(154, [&] { return On(154); }, "drives");
    TickDrives(app, {"C:", "D:", "E:"});
    PressOkAndExpectClose();
    EXPECT_TRUE(BoxesTicked(113, true)) << "the folder switch is off";
    Open();
    EXPECT_TRUE(On(154) && On(160) && !On(161) && !On(162));
    EXPECT_EQ("1|1", Text(163) + "|" + Text(164));
    EXPECT_EQ(1, Unit(165)) << "an off limit shows its stored unit";
}

// A question answered No returns to the dialog with the steps before it committed; Yes drops
// that one choice. Cancel keeps a unit and a folder chosen before it.
TEST_F(AdvancedDialogTest, QuestionsAndCancel)
{
    const std::string invalid = "Only positive integer(number) is acceptable for ignore ",
                      proceed = " size value. If you proceed, this selection will not be considered. Are you sure "
                                "you want to continue",
                      small = invalid + "small" + proceed, large = invalid + "large" + proceed,
                      extensions = "Extension format is invalid. Note that maximum length for an extension is 20 "
                                   "characters. If you proceed, default extension settings will be used. Are you "
                                   "sure you want to continue";
    Open();
    BrowseTo(2);
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, "avi");
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "1 0");
    Press(151);
    AnswerBox(extensions, dlg, IDNO);
    EXPECT_TRUE(IsWindowVisible(dlg)) << "No returns to the dialog";
    CancelAndReopen();
    EXPECT_TRUE(On(153) && On(155) && !On(161));
    EXPECT_EQ("E:\\|avi", Text(159) + "|" + Text(157));
    EXPECT_TRUE(BoxesTicked(113, true) && BoxesTicked(114, true)) << "Cancel leaves the main window";

    // An entry over 20 characters: Yes uses the default extensions. A bad minimum: No keeps them.
    SetText(157, ".a .abcdefghijklmnopqrst");
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "1 0");
    Press(151);
    AnswerBox(extensions, dlg, IDYES);
    AnswerBox(small, dlg, IDNO);
    CancelAndReopen();
    EXPECT_TRUE(On(156) && !On(155) && !Shown(157) && !On(161));

    // A valid minimum and a bad maximum: No keeps the minimum, Yes drops each bad limit.
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "5");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "5KB");
    Press(151);
    AnswerBox(large, dlg, IDNO);
    CancelAndReopen();
    EXPECT_TRUE(On(161) && !On(162));
    EXPECT_EQ("5", Text(163));
    SetText(163, "0");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "");
    Press(151);
    AnswerBox(small, dlg, IDYES);
    AnswerBox(large, dlg, IDYES);
    ASSERT_TRUE(Closed());
    EXPECT_TRUE(BoxesTicked(113, false) && BoxesTicked(114, true));

    Open();
    EXPECT_FALSE(On(161) || On(162));
    StepUnit(165, VK_DOWN);
    StepUnit(166, VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return Unit(165) == 1 && Unit(166) == 1; }));
    BrowseTo(1);
    ASSERT_TRUE(WaitUntil([&] { return Text(159) == "D:\\"; }));
    CancelAndReopen();
    EXPECT_TRUE(On(153));
    EXPECT_EQ("D:\\", Text(159));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(1, Unit(166));
}

}  // namespace
