// Open, open parent folder and properties reach the shell with the selected line's path: ".jpg"
// is associated with a recorder program for the test, and a folder opens the shell's own window.
// Then every control and command is found by the number it has for good.
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
        MakeFile("D:\\Shows\\My Clip.jpg");
        TickDrives(app, {"D:"});
        ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    }
    void TearDown() override
    {
        SorvaneTest::TearDown();
        if (installed)
            UninstallRecorder();
        CloseFolderWindow();
    }
    // Waits until the recorder has logged its n-th line and returns it.
    std::string Recorded(size_t n)
    {
        WaitUntil([&] { return RecordedLines().size() >= n; }, 15000);  // the shell starts a process
        std::vector<std::string> lines = RecordedLines();
        EXPECT_EQ(n, lines.size());
        return lines.size() >= n ? lines[n - 1] : std::string();
    }
    static bool FolderWindowShown() { return WaitUntil([] { return FindWindowA(NULL, "Shows") != NULL; }, 15000); }
    static void CloseFolderWindow()
    {
        for (int i = 0; i < 5; ++i)
            if (HWND folder = FindWindowA(NULL, "Shows")) {
                PostMessageA(folder, WM_CLOSE, 0, 0);
                WaitGone(folder);
            }
    }
    bool installed = false;
};

// The numbers the program's windows and commands keep: a failure here means that a control or
// a command moved, not that it misbehaves.
TEST_F(ListShellTest, KeysThenEveryControlAndCommandByItsNumber)
{
    SendKey(ResultList(app), VK_RETURN);  // no line selected in this list yet
    EXPECT_TRUE(NoDialogFor(app, 800));
    EXPECT_TRUE(RecordedLines().empty());
    SelectLine(app, 0);
    SendKey(ResultList(app), VK_RETURN);
    EXPECT_EQ(kOpen, Recorded(1));
    HWND list = ResultList(app);
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(list, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_EQ(kOpen, Recorded(2));
    SendKey(list, 'P');
    EXPECT_EQ(kProperties, Recorded(3));
    SendKey(list, 'F');
    EXPECT_TRUE(FolderWindowShown()) << "no folder window";
    EXPECT_EQ(3u, RecordedLines().size());
    CloseFolderWindow();

    const struct { int id; const char *text; } controls[] = {
        {111, "Search In"}, {112, "Search For"}, {113, "C:"}, {114, "Images: .jpg, .png, .gif, .tif, .bmp"},
        {115, "Start Searching"}, {116, ""}, {126, "Advanced Search..."}, {128, "Search completed in "}};
    for (const auto &c : controls)
        EXPECT_EQ(0u, WindowTextOf(ChildById(app.main, c.id)).find(c.text)) << c.id;
    PostCommand(app.main, 117);
    EXPECT_EQ(kOpen, Recorded(4));
    PostCommand(app.main, 121);
    EXPECT_EQ(kProperties, Recorded(5));
    PostCommand(app.main, 118);
    EXPECT_TRUE(FolderWindowShown());
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
    EXPECT_TRUE(WaitUntil([&] { return LineCount(app) == 0; })) << "Remove From List";
    PostCommand(app.main, 183);
    HWND about = WaitForBoxSaying(app, "Version: 1.0");
    ASSERT_TRUE(about != NULL);
    Answer(about, IDOK);
    ASSERT_TRUE(WaitGone(about));
    PostCommand(app.main, 181);
    HWND save = WaitForFirst([&] {
        std::vector<HWND> found;
        for (HWND w : TopLevelOf(app, "#32770"))
            if (FindDescendant(w, [](HWND c) { return GetDlgCtrlID(c) == 1148; }))
                found.push_back(w);
        return found;
    });
    ASSERT_TRUE(save != NULL) << "Export List";
    Answer(save, IDCANCEL);
    ASSERT_TRUE(WaitGone(save));

    PostCommand(app.main, 126);
    HWND dlg = WaitForWindow(app, "#32770", "Advances Search Settings");
    ASSERT_TRUE(dlg != NULL);
    const struct { int id; const char *text; } dialogControls[] = {
        {154, "Use default hard drives"}, {153, "Select folder to search in..."}, {159, ""},
        {156, "Use default extensions"}, {160, "Search for everything"}, {155, "Specify extensions to search for"},
        {111, "Write extensions using dot '.'; for example: .avi .jpg\n  In advanced settings, you can also include "
              "other extensions, for example: .doc, .pdf"},
        {157, ""}, {161, "Ignore files smaller than"}, {162, "Ignore files larger  than"}, {163, "1"}, {164, "1"},
        {165, "KB"}, {166, "GB"}, {167, "Save Settings..."}, {168, "Load Settings..."}, {151, "OK"}, {152, "Cancel"}};
    for (const auto &c : dialogControls) {
        HWND control = GetDlgItem(dlg, c.id);
        EXPECT_TRUE(control != NULL && WindowTextOf(control) == c.text) << c.id;
    }
    Answer(dlg, 152);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    PostCommand(app.main, 115);
    ExpectCompletionBox(app);
    PostCommand(app.main, 182);
    EXPECT_TRUE(ProcessEnded(app));
}

}  // namespace
