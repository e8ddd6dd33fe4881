// The advanced search settings dialog through its real window: its controls, the radio and check
// behaviour, OK with its questions, Cancel and the folder browser. What OK committed is read back
// from the next opening and from the main window.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using AdvancedDialogTest = SettingsTest;

struct Expected {
    int id;
    const char *cls;
    const char *text;
    DWORD style;
    int x, y, w, h;
};

TEST_F(AdvancedDialogTest, ControlsAndTheFirstOpeningsDefaults)
{
    Open();
    EXPECT_FALSE(IsWindowEnabled(app.main)) << "the dialog is modal";
    EXPECT_EQ(app.main, GetWindow(dlg, GW_OWNER));
    const DWORD radio = 0x50000004, check = 0x50000003, button = 0x50000001;
    const Expected expected[] = {
        {154, "Button", "Use default hard drives", radio, 20, 30, 250, 20},
        {153, "Button", "Select folder to search in...", radio, 20, 60, 250, 20},
        {159, "Static", "", 0x50000000, 20, 90, 300, 120},
        {156, "Button", "Use default extensions", radio, 350, 30, 350, 20},
        {160, "Button", "Search for everything", radio, 350, 60, 350, 20},
        {155, "Button", "Specify extensions to search for", radio, 350, 90, 350, 20},
        {111, "Static",
         "Write extensions using dot '.'; for example: .avi .jpg\n  In advanced settings, you can also include "
         "other extensions, for example: .doc, .pdf",
         0x50000001, 350, 120, 500, 40},
        {157, "Edit", "", 0x50800004, 350, 160, 500, 80},
        {161, "Button", "Ignore files smaller than", check, 20, 250, 200, 20},
        {162, "Button", "Ignore files larger  than", check, 20, 280, 200, 20},
        {163, "Edit", "1", 0x50800000, 230, 250, 80, 25},
        {164, "Edit", "1", 0x50800000, 230, 280, 80, 25},
        {165, "ComboBox", "KB", 0x50000203, 320, 250, 45, 80},
        {166, "ComboBox", "GB", 0x50000203, 320, 280, 45, 80},
        {167, "Button", "Save Settings...", button, 480, 260, 150, 50},
        {168, "Button", "Load Settings...", button, 640, 260, 150, 50},
        {151, "Button", "OK", button, 300, 400, 90, 40},
        {152, "Button", "Cancel", button, 400, 400, 90, 40},
    };
    std::vector<HWND> children = ChildWindows(dlg);
    ASSERT_EQ(sizeof expected / sizeof expected[0], children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const Expected &e = expected[i];
        ControlInfo c = ReadControl(children[i]);
        SCOPED_TRACE(e.text);
        EXPECT_EQ(e.id, c.id);
        EXPECT_STRCASEEQ(e.cls, c.cls.c_str());
        EXPECT_EQ(e.text, c.text);
        // Edit controls draw WS_BORDER themselves and take it out of their style; a checked radio
        // button takes WS_TABSTOP from the system.
        DWORD style = c.style | WS_VISIBLE;
        if (e.cls == std::string("Edit"))
            style |= WS_BORDER;
        if (e.style == radio && IsChecked(children[i]))
            style &= ~static_cast<DWORD>(WS_TABSTOP);
        EXPECT_EQ(e.style, style);
        EXPECT_EQ(0u, c.exStyle & ~static_cast<DWORD>(WS_EX_NOPARENTNOTIFY));
        EXPECT_EQ(e.x, c.rect.left);
        EXPECT_EQ(e.y, c.rect.top);
        EXPECT_EQ(e.w, c.rect.right - c.rect.left);
        if (e.cls != std::string("ComboBox")) {
            EXPECT_EQ(e.h, c.rect.bottom - c.rect.top);
        }
    }
    // A unit box's height is its dropped-down extent: compare with a box made here alike.
    HFONT font = CreateFontA(17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
    HWND ref = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 45, 80, NULL,
                               NULL, GetModuleHandleA(NULL), NULL);
    SendMessageA(ref, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    RECT want, got;
    SendMessageA(ref, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&want));
    for (int id : {165, 166}) {
        SendMessageA(Ctl(id), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&got));
        EXPECT_EQ(want.bottom - want.top, got.bottom - got.top) << id;
        ASSERT_EQ(3, SendMessageA(Ctl(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < 3; ++i) {
            wchar_t item[8] = L"";
            SendMessageW(Ctl(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            EXPECT_STREQ(i == 0 ? L"KB" : i == 1 ? L"MB" : L"GB", item);
        }
    }
    DestroyWindow(ref);
    DeleteObject(font);

    // The first opening: default drives and extensions, both limits off at "1", KB and GB.
    EXPECT_TRUE(On(154) && !On(153) && !Shown(159));
    EXPECT_TRUE(On(156) && !On(160) && !On(155) && !Shown(111) && !Shown(157));
    EXPECT_TRUE(!On(161) && !On(162));
    EXPECT_EQ(0, Unit(165));
    EXPECT_EQ(2, Unit(166));

    // White behind the dialog and behind the radio buttons' and check boxes' own area.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dlg; }));
    RedrawWindow(dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    HDC screen = GetDC(NULL);
    for (POINT p : {POINT{5, 5}, POINT{265, 40}, POINT{210, 260}}) {
        POINT s = p;
        ClientToScreen(dlg, &s);
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, s.x, s.y)) << p.x << "," << p.y;
    }
    ReleaseDC(NULL, screen);
}

TEST_F(AdvancedDialogTest, RadioButtonsChecksAndKeys)
{
    Open();
    PressAndWait(155, [&] { return On(155) && Shown(111) && Shown(157); }, "own extensions");
    EXPECT_FALSE(On(156) || On(160));
    PressAndWait(160, [&] { return On(160) && !Shown(157); }, "everything");
    EXPECT_FALSE(On(155) || On(156) || Shown(111));
    PressAndWait(155, [&] { return On(155); }, "own extensions again");
    PressAndWait(156, [&] { return On(156) && !Shown(157) && !Shown(111); }, "default extensions");
    EXPECT_FALSE(On(155) || On(160));
    // A radio button already checked stays checked when clicked again.
    PressAndWait(156, [&] { return On(156); }, "default again");

    // A cancelled folder browse falls back to the default drives.
    BrowseTo(-1);
    EXPECT_TRUE(WaitUntil([&] { return On(154) && !On(153) && !Shown(159); }));
    BrowseTo(1);
    EXPECT_TRUE(WaitUntil([&] { return On(153) && !On(154) && Shown(159) && Text(159) == "D:\\"; }));
    PressAndWait(154, [&] { return On(154) && !On(153) && !Shown(159); }, "drives");
    EXPECT_EQ("D:\\", Text(159)) << "a hidden label keeps its text";

    // The size boxes tick themselves and leave the value and unit boxes enabled.
    PressAndWait(161, [&] { return On(161); }, "minimum ticks");
    PressAndWait(161, [&] { return !On(161); }, "minimum unticks");
    PressAndWait(162, [&] { return On(162); }, "maximum ticks");
    EXPECT_TRUE(IsWindowEnabled(Ctl(163)) && IsWindowEnabled(Ctl(166)));

    // Escape and Enter do not end the dialog; the close box does, as Cancel.
    SendKey(Ctl(163), VK_ESCAPE);
    SendKey(Ctl(163), VK_RETURN);
    PressAndWait(162, [&] { return !On(162); }, "after the keys");
    EXPECT_TRUE(IsWindowVisible(dlg));
    PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Closed());
    EXPECT_TRUE(IsWindowEnabled(app.main));
    EXPECT_TRUE(BoxesTicked(113, true) && BoxesTicked(114, true));
    Open();
    EXPECT_TRUE(On(154) && On(156) && !On(161) && !On(162)) << "closing committed nothing";
}

TEST_F(AdvancedDialogTest, OkCommitsAndTheMainWindowReacts)
{
    Open();
    BrowseTo(1);
    ASSERT_TRUE(WaitUntil([&] { return Text(159) == "D:\\"; }));
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
    EXPECT_TRUE(On(153) && !On(154) && Shown(159));
    EXPECT_EQ("D:\\", Text(159));
    EXPECT_TRUE(On(155) && Shown(157) && Shown(111));
    EXPECT_EQ(".avi .mkv", Text(157));
    EXPECT_TRUE(On(161) && On(162));
    EXPECT_EQ("10", Text(163));
    EXPECT_EQ("123456789", Text(164));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(2, Unit(166));

    // Typing into a value box without ticking it commits nothing for that limit.
    PressAndWait(161, [&] { return !On(161); }, "minimum off");
    PressAndWait(160, [&] { return On(160); }, "everything");
    SetText(164, "77");
    PressAndWait(162, [&] { return !On(162); }, "maximum off");
    PressAndWait(154, [&] { return On(154); }, "drives");
    for (int i = 0; i < 3; ++i)
        SetChecked(ChildById(app.main, 113, i), true);
    PressOkAndExpectClose();
    EXPECT_TRUE(BoxesTicked(113, true)) << "the folder switch is off";
    Open();
    EXPECT_TRUE(On(154) && On(160) && !On(161) && !On(162));
    EXPECT_EQ("1", Text(163));
    EXPECT_EQ("1", Text(164));
    EXPECT_EQ(1, Unit(165)) << "an off limit shows its stored unit";
}

TEST_F(AdvancedDialogTest, ExtensionQuestion)
{
    const char question[] =
        "Extension format is invalid. Note that maximum length for an extension is 20 characters. If you proceed, "
        "default extension settings will be used. Are you sure you want to continue";
    Open();
    BrowseTo(2);
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, "avi");
    Press(151);
    AnswerBox(question, dlg, IDNO);
    EXPECT_TRUE(IsWindowVisible(dlg)) << "No returns to the dialog";
    // The folder step came first and stays committed; so do the switch and the text.
    CancelAndReopen();
    EXPECT_TRUE(On(153));
    EXPECT_EQ("E:\\", Text(159));
    EXPECT_TRUE(On(155));
    EXPECT_EQ("avi", Text(157));
    EXPECT_TRUE(BoxesTicked(113, true) && BoxesTicked(114, true)) << "Cancel leaves the main window";

    // An entry over 20 characters; Yes uses the default extensions and keeps the media boxes.
    SetText(157, ".a .abcdefghijklmnopqrst");
    Press(151);
    AnswerBox(question, dlg, IDYES);
    ASSERT_TRUE(Closed());
    EXPECT_TRUE(BoxesTicked(113, false));
    EXPECT_TRUE(BoxesTicked(114, true));
    Open();
    EXPECT_TRUE(On(156) && !On(155) && !Shown(157));
}

TEST_F(AdvancedDialogTest, SizeQuestions)
{
    const char small[] =
        "Only positive integer(number) is acceptable for ignore small size value. If you proceed, this selection "
        "will not be considered. Are you sure you want to continue";
    const char large[] =
        "Only positive integer(number) is acceptable for ignore large size value. If you proceed, this selection "
        "will not be considered. Are you sure you want to continue";
    Open();
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "1 0");
    PressAndWait(160, [&] { return On(160); }, "everything");
    Press(151);
    AnswerBox(small, dlg, IDNO);
    CancelAndReopen();
    EXPECT_TRUE(On(160)) << "the steps before the question stay committed";
    EXPECT_FALSE(On(161)) << "No leaves the minimum as it was";

    // A valid minimum, an invalid maximum: No keeps the minimum committed.
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "5");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "5KB");
    Press(151);
    AnswerBox(large, dlg, IDNO);
    CancelAndReopen();
    EXPECT_TRUE(On(161));
    EXPECT_EQ("5", Text(163));
    EXPECT_FALSE(On(162));

    // Yes to each switches that limit off and ends the dialog.
    SetText(163, "0");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "");
    Press(151);
    AnswerBox(small, dlg, IDYES);
    AnswerBox(large, dlg, IDYES);
    ASSERT_TRUE(Closed());
    Open();
    EXPECT_FALSE(On(161) || On(162));
}

TEST_F(AdvancedDialogTest, CancelKeepsAUnitAndAFolderChosenBeforeIt)
{
    Open();
    BrowseTo(1);
    PressOkAndExpectClose();

    Open();
    StepUnit(165, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return Unit(165) == 1; }));
    StepUnit(166, VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return Unit(166) == 1; }));
    BrowseTo(2);
    ASSERT_TRUE(WaitUntil([&] { return Text(159) == "E:\\"; }));
    CancelAndReopen();
    EXPECT_TRUE(On(153));
    EXPECT_EQ("E:\\", Text(159));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(1, Unit(166));
}

}  // namespace
