// The advanced search settings dialog through its real window: its choices and keys, OK with its
// questions, the settings files, and the search that follows OK.
#include "harness.h"

namespace {

const char kSaved[] = "Settings successfully saved";
const char kInvalidData[] = "An invalid data found in the file. Settings might not have been loaded completely";

class SettingsTest : public SorvaneTest {
protected:
    HWND dlg = NULL;

    void Open()
    {
        Click(ChildById(app.main, 126));
        dlg = WaitForWindow(app, "#32770", "Advances Search Settings");
        ASSERT_TRUE(dlg != NULL) << "the dialog did not open";
    }
    HWND Ctl(int id) const { return GetDlgItem(dlg, id); }
    bool On(int id) const { return IsChecked(Ctl(id)); }
    bool Shown(int id) const { return IsWindowVisible(Ctl(id)) != FALSE; }
    std::string Text(int id) const { return WindowTextOf(Ctl(id)); }
    void SetText(int id, const std::string &text) { SendMessageA(Ctl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    int Unit(int id) const { return static_cast<int>(SendMessageA(Ctl(id), CB_GETCURSEL, 0, 0)); }
    // As the keyboard would: the box moves its selection and reports the change itself.
    void StepUnit(int id, WORD key, int want)
    {
        SendKey(Ctl(id), key);
        EXPECT_TRUE(WaitUntil([&] { return Unit(id) == want; })) << id;
    }
    void Press(int id, const std::function<bool()> &until)
    {
        Click(Ctl(id));
        EXPECT_TRUE(WaitUntil(until)) << "after pressing " << id;
    }
    void Tick(int id, bool on = true) { Press(id, [this, id, on] { return On(id) == on; }); }
    void End(int button)
    {
        Click(Ctl(button));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); })) << button << " did not end the dialog";
    }
    // Presses "Select folder to search in..." and picks the folder in the browser, or cancels it.
    void BrowseTo(const wchar_t *folder)
    {
        Click(Ctl(153));
        HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
        ASSERT_TRUE(browser != NULL) << "no folder browser";
        AnswerFolderBrowser(app, browser, folder);
    }
    // Opens the Save (167) or Open (168) dialog and chooses the name.
    void UseFileDialog(int button, const std::string &name)
    {
        Click(Ctl(button));
        HWND fd = WaitForWindow(app, "#32770", button == 167 ? "Save As" : "Open");
        ASSERT_TRUE(fd != NULL) << "no file dialog";
        FillFileDialog(fd, name);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(fd); })) << "the file dialog stayed";
    }
    // Loads a file with these bytes; true when the invalid-data warning showed (and was closed).
    bool Load(const std::string &bytes)
    {
        WriteFileBytes("D:\\load.svq", bytes);
        UseFileDialog(168, "D:\\load.svq");
        // Handled once the load is done or inside its warning's loop, where the box exists even if
        // it does not show yet: a box that the dialog owns then is the warning.
        SendNow(dlg, WM_NULL, 0, 0, 10000);
        HWND box = NULL;
        for (HWND w = NULL; (w = FindWindowExA(NULL, w, "#32770", NULL)) != NULL;)
            box = GetWindow(w, GW_OWNER) == dlg ? w : box;
        if (!box)
            return false;
        AnswerBox(app, kInvalidData, IDOK, dlg);
        return true;
    }
    // Runs a search to its end; the paths of the list, without their numbers.
    std::set<std::string> Found()
    {
        Click(StartButton(app));
        ExpectCompletionBox(app, 60000);
        std::vector<std::string> paths = PathsNumberedInOrder(AllLines(app));
        return std::set<std::string>(paths.begin(), paths.end());
    }
};

// The dialog opens white at Windows' size (430 x 250 units of the system font's 8 x 16) and holds
// its controls; own extensions show their box and the default ones hide it; a cancelled
// folder browse goes back to the drives, and so does a folder whose name the code page holds only
// as a look-alike (Omega with the Greek letter); Escape does not end the dialog. Save then writes
// what the controls show, and replaces a file only after Yes, by the new bytes alone. Load applies
// the lines before a bad one and warns; the folder and the units it set stay even when the dialog
// is then cancelled.
TEST_F(SettingsTest, ChoicesKeysSaveAndLoad)
{
    Open();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dlg; }));
    RedrawWindow(dlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    POINT p = {5, 5};
    ClientToScreen(dlg, &p);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(RECT{p.x, p.y, p.x + 1, p.y + 1})[0] == 0xFFFFFF; }));
    EXPECT_EQ("860x500", ClientHoldingItsControls(dlg));

    Press(155, [&] { return Shown(157); });
    Press(156, [&] { return On(156) && !Shown(157); });
    CreateDirectoryW(L"D:\\\u03a9mega", NULL);
    for (const wchar_t *inexact : {static_cast<const wchar_t *>(nullptr), L"D:\\\u03a9mega"}) {
        BrowseTo(inexact);
        EXPECT_TRUE(WaitUntil([&] { return On(154) && !On(153) && !Shown(159); })) << (inexact != nullptr);
    }
    SendKey(Ctl(163), VK_ESCAPE);
    Tick(161);   // handled after the key
    EXPECT_TRUE(IsWindowVisible(dlg));

    BrowseTo(L"E:\\");
    End(151);   // the folder switch on, for the load below
    Open();
    Press(155, [&] { return Shown(157); });
    SetText(157, ".avi .mkv");
    SetText(163, "7");
    Tick(162);
    SetText(164, "abc");
    StepUnit(166, VK_UP, 1);   // GB -> MB
    UseFileDialog(167, "D:\\mine.txt");   // ".svq" is appended
    AnswerBox(app, kSaved, IDOK, dlg);
    const std::string first = "2 E:\\\r\n3 .avi .mkv\r\n1 7 KB\r\n1 abc MB";
    EXPECT_EQ(first, ReadFileBytes("D:\\mine.txt.svq"));

    Tick(160);
    Tick(162, false);
    const std::string question = "D:\\mine.txt.svq already exists.\nDo you want to replace it?";
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(app, question, IDNO, dlg);
    EXPECT_TRUE(WaitForBox(app, "", 800) == NULL) << "No says nothing further";
    EXPECT_EQ(first, ReadFileBytes("D:\\mine.txt.svq"));
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(app, question, IDYES, dlg);
    AnswerBox(app, kSaved, IDOK, dlg);
    EXPECT_EQ("2 E:\\\r\n2\r\n1 7 KB\r\n0", ReadFileBytes("D:\\mine.txt.svq"));

    EXPECT_TRUE(Load("2 D:\\\r\n3 .avi\r\n1 10 MB\r\n1 5 kb"));
    EXPECT_TRUE(On(155) && Text(157) == ".avi" && Text(159) == "D:\\");
    End(152);
    Open();
    EXPECT_TRUE(On(153) && Text(159) == "D:\\") << Text(159);
    EXPECT_EQ(1, Unit(165));
}

// A question answered No returns to the dialog with the steps before it committed, here the
// folder. OK commits a unit and a limit's first 9 digits, and a folder unticks the drive boxes.
TEST_F(SettingsTest, OkCommitsTheStepsBeforeAQuestion)
{
    Open();
    BrowseTo(L"E:\\");
    Press(155, [&] { return Shown(157); });
    SetText(157, "avi");
    Click(Ctl(151));
    AnswerBox(app,
              "Extension format is invalid. Note that maximum length for an extension is 20 characters. If you "
              "proceed, default extension settings will be used. Are you sure you want to continue",
              IDNO, dlg);
    EXPECT_TRUE(SendNow(dlg, WM_NULL) && IsWindowVisible(dlg)) << "No ended the dialog";   // after OK's handler
    End(152);
    Open();
    EXPECT_TRUE(On(153) && Text(159) == "E:\\") << Text(159);

    SetText(157, ".avi");
    StepUnit(165, VK_DOWN, 1);   // KB -> MB
    Tick(162);
    SetText(164, "1234567890");
    End(151);
    EXPECT_FALSE(IsChecked(ChildById(app.main, 113))) << "the folder leaves the drives ticked";
    Open();
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ("123456789", Text(164));
}

// A search after OK walks the folder instead of the ticked drives and keeps the files within both
// limits to the byte, past 4 GB too. A folder switched on by a relative path (or none) walks
// nothing, not the folder that the file dialog left current.
TEST_F(SettingsTest, ASearchUsesTheSettings)
{
    const uint64_t mb4097 = 4097ull << 20, gb5 = 5ull << 30;
    MakeFile("D:\\g1.avi", mb4097 - 1);   // sparse; a video, which the last search must not find
    MakeFile("D:\\g2.bin", mb4097);
    MakeFile("D:\\g3.bin", gb5);
    MakeFile("D:\\g4.bin", gb5 + 1);
    Open();
    BrowseTo(L"D:\\");
    Tick(160);
    Tick(161);
    SetText(163, "4097");
    StepUnit(165, VK_DOWN, 1);   // KB -> MB
    Tick(162);
    SetText(164, "5");   // GB
    End(151);
    TickDrives(app, {"E:"});
    EXPECT_EQ((std::set<std::string>{"D:\\\\g2.bin", "D:\\\\g3.bin"}), Found());
    Open();
    EXPECT_FALSE(Load("2 .\r\n1\r\n0\r\n0"));
    End(151);
    EXPECT_TRUE(Found().empty());
}

}  // namespace
