// The main window as a program start shows it, then the shell reached from a found file, then every
// control and command found by the number it has for good. ".jpg" is associated with a recorder
// program for the test, and a folder opens the shell's own window.
#include "send_helpers.h"

namespace {

const char kOpen[] = "\"C:\\sorvane\\recorder.exe\" open \"D:\\Shows\\My Clip.jpg\"";
const char kProperties[] = "\"C:\\sorvane\\recorder.exe\" properties \"D:\\Shows\\My Clip.jpg\"";

class ListShellTest : public SorvaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallRecorder()) << "the prefix has a .jpg association of its own";
        installed = true;
        SorvaneTest::SetUp();
    }
    void TearDown() override
    {
        SorvaneTest::TearDown();
        if (installed)
            UninstallRecorder();
        if (HWND folder = FindWindowA(NULL, "Shows"))
            PostMessageA(folder, WM_CLOSE, 0, 0);
    }
    // Waits until the recorder has logged exactly these lines (the shell starts a process).
    static bool Recorded(const std::vector<std::string> &lines)
    {
        return WaitUntil([&] { return RecordedLines() == lines; }, 15000);
    }
    bool installed = false;
};

// A failure in the tables below means that a control or a command moved, not that it misbehaves.
TEST_F(ListShellTest, StartShellThenEveryControlAndCommandByItsNumber)
{
    // At start every drive box (C:, D:, removable E:) and media box is ticked, and the greyed
    // "Export List" opens nothing.
    for (int id : {113, 114})
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(IsChecked(ChildById(app.main, id, i))) << id << " " << i;
    PickMenu(app, 'F', 'E');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List opened a dialog";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);

    MakeFile("D:\\Shows\\My Clip.jpg");
    TickDrives(app, {"D:"});
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    SelectLine(app, 0);
    PostCommand(app.main, 117);
    EXPECT_TRUE(Recorded({kOpen}));
    PostCommand(app.main, 121);
    EXPECT_TRUE(Recorded({kOpen, kProperties}));
    PostCommand(app.main, 118);
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(NULL, "Shows") != NULL; }, 15000)) << "no folder window";
    PostCommand(app.main, 129);   // numbering off
    EXPECT_TRUE(WaitUntil([&] { return AllLines(app) == std::vector<std::string>{"D:\\\\Shows\\My Clip.jpg"}; }));

    // The context menu takes the removable drives: E: is 200 and 300, "Folder..." 201 and 301.
    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").empty(); }));
    for (int sendItem : {200, 300}) {
        DeleteFileA("E:\\My Clip.jpg");
        PostCommand(app.main, sendItem);
        HWND window = WaitForProgressWindow(app);   // by its bar, 678
        ASSERT_TRUE(window != NULL) << sendItem;
        EXPECT_TRUE(GetDlgItem(window, 501) && GetDlgItem(window, 502) && GetDlgItem(window, 504) &&
                    WindowTextOf(GetDlgItem(window, 503)) == "Cancel");
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10000));
        EXPECT_TRUE(FileExists("E:\\My Clip.jpg")) << sendItem;
    }
    for (int folderItem : {201, 301}) {
        PostCommand(app.main, folderItem);
        HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
        ASSERT_TRUE(browser != NULL) << folderItem;
        AnswerFolderBrowser(app, browser, NULL);
    }

    PostCommand(app.main, 119);
    AnswerBox(app, "Are you sure you want to permanently delete this file ", IDNO, app.main);
    PostCommand(app.main, 120);
    EXPECT_TRUE(WaitUntil([&] { return AllLines(app).empty(); })) << "Remove From List";
    PostCommand(app.main, 183);
    HWND about = WaitForBoxSaying(app, "This program is created by ");
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
