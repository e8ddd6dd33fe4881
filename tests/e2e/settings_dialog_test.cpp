// The advanced search settings dialog through its real window: the radio and check behaviour,
// OK with its questions, Cancel and the folder browser. What OK committed is read back from the
// next opening and from the main window.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using AdvancedDialogTest = SettingsTest;

TEST_F(AdvancedDialogTest, DefaultsRadioButtonsAndKeys)
{
    Open();
    EXPECT_FALSE(IsWindowEnabled(app.main)) << "the dialog is modal";
    EXPECT_TRUE(On(154) && !On(153) && !Shown(159) && On(156) && !On(160) && !On(155));
    EXPECT_TRUE(!Shown(111) && !Shown(157) && !On(161) && !On(162));
    // White behind the dialog and behind a radio button's and a check box's own area.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dlg; }));
    RedrawWindow(dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (POINT p : {POINT{5, 5}, POINT{265, 40}, POINT{210, 260}}) {
        ClientToScreen(dlg, &p);
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(RECT{p.x, p.y, p.x + 1, p.y + 1})[0] == 0xFFFFFF; }))
            << p.x << "," << p.y;
    }

    Press(155, [&] { return Shown(111) && Shown(157) && !On(156) && !On(160); });
    Press(160, [&] { return On(160) && !Shown(157) && !Shown(111) && !On(155); });
    Tick(155);
    Press(156, [&] { return On(156) && !Shown(157) && !Shown(111) && !On(155) && !On(160); });
    // A cancelled folder browse falls back to the default drives; a hidden label keeps its text.
    BrowseTo(NULL);
    EXPECT_TRUE(WaitUntil([&] { return On(154) && !On(153) && !Shown(159); }));
    BrowseTo("D:\\");
    EXPECT_TRUE(WaitUntil([&] { return On(153) && !On(154) && Shown(159) && Text(159) == "D:\\"; }));
    Press(154, [&] { return On(154) && !On(153) && !Shown(159) && Text(159) == "D:\\"; });

    // Escape and Enter do not end the dialog; the close box does, as Cancel.
    Tick(162);
    SendKey(Ctl(163), VK_ESCAPE);
    SendKey(Ctl(163), VK_RETURN);
    Tick(162, false);
    EXPECT_TRUE(IsWindowVisible(dlg));
    PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    EXPECT_TRUE(BoxesTicked(113, true) && BoxesTicked(114, true));
}

TEST_F(AdvancedDialogTest, OkCommitsAndTheMainWindowReacts)
{
    Open();
    BrowseTo("D:\\");
    OwnExtensions(".avi .mkv");
    Tick(161);
    SetText(163, "010");
    StepUnits(165, VK_DOWN, 1, 1);   // KB -> MB
    Tick(162);
    SetText(164, "1234567890");   // read as its first 9 digits
    End(151);
    EXPECT_TRUE(WaitUntil([&] { return BoxesTicked(113, false) && BoxesTicked(114, false); }));

    Open();
    EXPECT_TRUE(On(153) && Shown(159) && On(155) && Shown(157) && On(161) && On(162));
    EXPECT_EQ("D:\\|.avi .mkv|10|123456789", Text(159) + "|" + Text(157) + "|" + Text(163) + "|" + Text(164));
    EXPECT_EQ(1, Unit(165));
    // Typing into a value box without ticking it commits nothing for that limit.
    Tick(161, false);
    Tick(160);
    SetText(164, "77");
    Tick(162, false);
    Tick(154);
    TickDrives(app, {"C:", "D:", "E:"});
    End(151);
    EXPECT_TRUE(BoxesTicked(113, true)) << "the folder switch is off";
    Open();
    EXPECT_TRUE(On(154) && On(160) && !On(161) && !On(162));
    EXPECT_EQ("1|1|1", Text(163) + "|" + Text(164) + "|" + std::to_string(Unit(165))) << "an off limit shows its stored unit";
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
    BrowseTo("E:\\");
    OwnExtensions("avi");
    Tick(161);
    SetText(163, "1 0");
    Click(Ctl(151));
    AnswerBox(app, extensions, IDNO, dlg);
    CancelAndReopen();
    EXPECT_TRUE(On(153) && On(155) && !On(161));
    EXPECT_EQ("E:\\|avi", Text(159) + "|" + Text(157));
    EXPECT_TRUE(BoxesTicked(113, true)) << "Cancel leaves the main window";

    // An entry over 20 characters: Yes uses the default extensions. A bad minimum: No keeps them.
    SetText(157, ".a .abcdefghijklmnopqrst");
    Tick(161);
    SetText(163, "1 0");
    Click(Ctl(151));
    AnswerBox(app, extensions, IDYES, dlg);
    AnswerBox(app, small, IDNO, dlg);
    CancelAndReopen();
    EXPECT_TRUE(On(156) && !Shown(157) && !On(161));

    // A valid minimum and a bad maximum: No keeps the minimum, Yes drops each bad limit.
    Tick(161);
    SetText(163, "5");
    Tick(162);
    SetText(164, "5KB");
    Click(Ctl(151));
    AnswerBox(app, large, IDNO, dlg);
    CancelAndReopen();
    EXPECT_TRUE(On(161) && !On(162) && Text(163) == "5") << Text(163);
    SetText(163, "0");
    Tick(162);
    SetText(164, "");
    Click(Ctl(151));
    AnswerBox(app, small, IDYES, dlg);
    AnswerBox(app, large, IDYES, dlg);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    EXPECT_TRUE(BoxesTicked(113, false) && BoxesTicked(114, true));

    Open();
    EXPECT_FALSE(On(161) || On(162));
    StepUnits(165, VK_DOWN, 1, 1);
    StepUnits(166, VK_UP, 1, 1);
    BrowseTo("D:\\");
    ASSERT_TRUE(WaitUntil([&] { return Text(159) == "D:\\"; }));
    CancelAndReopen();
    EXPECT_TRUE(On(153) && Text(159) == "D:\\" && Unit(165) == 1 && Unit(166) == 1) << Text(159);
}

}  // namespace
