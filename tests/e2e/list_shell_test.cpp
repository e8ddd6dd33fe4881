// The main window as a program start shows it, then the shell reached from a found file, then every
// control and command found by the number it has for good. For the test, ".jpg" files open (verbs
// "open" and "properties") in a command line that logs the verb and the path; a folder opens the
// shell's own window. Wine reads associations from HKEY_CLASSES_ROOT only, so they are written
// there, in the tests' own prefix, and taken out again afterwards.
#include "harness.h"

namespace {

const char kLog[] = "C:\\sorvane\\shell.log";
const std::string kOpen = "open \"D:\\Shows\\My Clip.jpg\"\r\n", kProperties = "properties \"D:\\Shows\\My Clip.jpg\"\r\n";

class ListShellTest : public SorvaneTest {
protected:
    void SetUp() override
    {
        CreateDirectoryA("C:\\sorvane", NULL);
        DeleteFileA(kLog);
        for (std::string verb : {"open", "properties"}) {
            std::string command = "cmd.exe /c echo " + verb + " \"%1\">>" + kLog;
            RegSetKeyValueA(HKEY_CLASSES_ROOT, ("SorvaneLogged\\shell\\" + verb + "\\command").c_str(), NULL, REG_SZ,
                            command.c_str(), static_cast<DWORD>(command.size() + 1));
        }
        RegSetKeyValueA(HKEY_CLASSES_ROOT, ".jpg", NULL, REG_SZ, "SorvaneLogged", sizeof "SorvaneLogged");
        SorvaneTest::SetUp();
    }
    void TearDown() override
    {
        SorvaneTest::TearDown();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "SorvaneLogged");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".jpg");
        if (HWND folder = FindWindowA(NULL, "Shows"))
            PostMessageA(folder, WM_CLOSE, 0, 0);
    }
    // Waits until the log holds exactly this (the shell starts a process).
    static bool Recorded(const std::string &log)
    {
        return WaitUntil([&] { return ReadFileBytes(kLog) == log; }, 15000);
    }
};

// The text's width in the face at 20 pixels, italic, and the face the font maker gave for the name.
LONG TextWidth(const char *face, const std::string &text, std::string *given)
{
    HFONT font = CreateFontA(20, 0, 0, 0, 0, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    char name[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof name, name);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(NULL, dc);
    *given = name;
    return size.cx;
}

// A failure in the tables below means that a control or a command moved, not that it misbehaves.
TEST_F(ListShellTest, StartShellThenEveryControlAndCommandByItsNumber)
{
    // "Times New Roman" 20 italic has Liberation Serif's widths, as Windows' has, and the Video
    // label's text fits its box with the check mark and the gap after it (less than 20 pixels).
    HWND video = ChildById(app.main, 114, 2);
    std::string serif, tnr;
    const LONG width = TextWidth("Times New Roman", WindowTextOf(video), &tnr);
    ASSERT_EQ(TextWidth("Liberation Serif", WindowTextOf(video), &serif), width);
    ASSERT_EQ("Liberation Serif|Times New Roman", serif + "|" + tnr) << "the metrics to compare with are missing";
    RECT box;
    GetWindowRect(video, &box);
    EXPECT_LE(width + 20, box.right - box.left);

    // At start every drive box (C:, D:, removable E:) and media box is ticked, and the greyed
    // "Export List" opens nothing.
    for (int id : {113, 114})
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(IsChecked(ChildById(app.main, id, i))) << id << " " << i;
    PickMenu(app, 'F', 'E');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List opened a dialog";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);

    MakeFile("D:\\Shows\\My Clip.jpg");
    SearchDriveD(app);
    SelectLine(app, 0);
    PostCommand(app.main, 117);
    EXPECT_TRUE(Recorded(kOpen));
    PostCommand(app.main, 121);
    EXPECT_TRUE(Recorded(kOpen + kProperties));
    PostCommand(app.main, 118);
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(NULL, "Shows") != NULL; }, 15000)) << "no folder window";
    PostCommand(app.main, 129);   // numbering off
    EXPECT_TRUE(WaitUntil([&] { return AllLines(app) == std::vector<std::string>{"D:\\\\Shows\\My Clip.jpg"}; }));

    // The context menu takes the removable drives: E: is 200 and 300, "Folder..." 201 and 301.
    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").empty(); }));
    for (int sendItem : {200, 300}) {   // each ends before the next may start
        DeleteFileA("E:\\My Clip.jpg");
        PostCommand(app.main, sendItem);
        EXPECT_TRUE(WaitUntil([&] { return FileExists("E:\\My Clip.jpg") && !WaitForProgressWindow(app, 0); }, 10000))
            << sendItem;
    }
    for (int folderItem : {201, 301}) {
        PostCommand(app.main, folderItem);
        HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
        ASSERT_TRUE(browser != NULL) << folderItem;
        AnswerFolderBrowser(app, browser, nullptr);
    }

    PostCommand(app.main, 119);
    AnswerBox(app, "Are you sure you want to permanently delete this file ", IDNO, app.main);
    PostCommand(app.main, 120);
    EXPECT_TRUE(WaitUntil([&] { return AllLines(app).empty(); })) << "Remove From List";
    PostCommand(app.main, 183);
    HWND about = WaitForBox(app, "This program is created by ");
    ASSERT_TRUE(about != NULL);
    EXPECT_NE(std::string::npos, MessageBoxText(about).find(" \n\n\t Version: 1.0")) << MessageBoxText(about);
    Answer(about, IDOK);
    ASSERT_TRUE(WaitGone(about));
    PostCommand(app.main, 181);
    HWND save = WaitForWindow(app, "#32770");
    ASSERT_TRUE(save != NULL) << "Export List";
    Answer(save, IDCANCEL);
    ASSERT_TRUE(WaitGone(save));

    PostCommand(app.main, 126);
    HWND dlg = WaitForWindow(app, "#32770", "Advances Search Settings");
    ASSERT_TRUE(dlg != NULL);
    // In the main window (0) or the settings dialog (1): the number and the start of the text.
    const struct { int in, id; const char *text; } controls[] = {
        {0, 111, "Search In"}, {0, 112, "Search For"}, {0, 113, "C:"}, {0, 114, "Images: .jpg"},
        {0, 115, "Start Searching"}, {0, 116, ""}, {0, 126, "Advanced Search..."}, {0, 128, "Search completed in "},
        {1, 154, "Use default hard drives"}, {1, 153, "Select folder to search in..."}, {1, 159, ""},
        {1, 156, "Use default extensions"}, {1, 160, "Search for everything"}, {1, 155, "Specify extensions"},
        {1, 111, "Write extensions using dot"}, {1, 157, ""}, {1, 161, "Ignore files smaller than"},
        {1, 162, "Ignore files larger  than"}, {1, 163, "1"}, {1, 164, "1"}, {1, 165, "KB"}, {1, 166, "GB"},
        {1, 167, "Save Settings..."}, {1, 168, "Load Settings..."}, {1, 151, "OK"}, {1, 152, "Cancel"}};
    for (const auto &c : controls) {
        HWND control = GetDlgItem(c.in ? dlg : app.main, c.id);
        EXPECT_TRUE(control != NULL && WindowTextOf(control).rfind(c.text, 0) == 0) << c.id;
    }
    Answer(dlg, 152);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    PostCommand(app.main, 115);
    ExpectCompletionBox(app);
    PostCommand(app.main, 182);
    EXPECT_TRUE(ProcessEnded(app));
}

}  // namespace
