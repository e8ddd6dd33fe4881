// Open, open parent folder and properties reach the shell with the selected line's path: ".jpg"
// is associated with a recorder program for the test, and a folder opens the shell's own window.
#include "search_helpers.h"

namespace {

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
        ASSERT_EQ(std::vector<std::string>{"(1) D:\\\\Shows\\My Clip.jpg"}, AllLines(app));
    }
    void TearDown() override
    {
        SorvaneTest::TearDown();
        if (installed)
            UninstallRecorder();
        CloseFolderWindows();
    }
    // Waits until the recorder has logged n lines and returns the last one.
    std::string Recorded(size_t n)
    {
        WaitUntil([&] { return RecordedLines().size() >= n; }, 15000);  // the shell starts a process
        std::vector<std::string> lines = RecordedLines();
        EXPECT_EQ(n, lines.size());
        return lines.size() >= n ? lines[n - 1] : std::string();
    }
    static BOOL CALLBACK CloseFolderWindow(HWND w, LPARAM)
    {
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof cls);
        if (std::strcmp(cls, "ExplorerWClass") == 0 || std::strcmp(cls, "CabinetWClass") == 0)
            PostMessageA(w, WM_CLOSE, 0, 0);
        return TRUE;
    }
    static void CloseFolderWindows() { EnumWindows(CloseFolderWindow, 0); }
    bool installed = false;
};

const char kOpen[] = "\"C:\\sorvane\\recorder.exe\" open \"D:\\Shows\\My Clip.jpg\"";

TEST_F(ListShellTest, EnterDoubleClickAndTheMenuOpenTheSelectedFile)
{
    SendKey(ResultList(app), VK_RETURN);  // no line selected in this list yet
    EXPECT_TRUE(NoDialogFor(app, 800));
    EXPECT_TRUE(RecordedLines().empty());

    SelectLine(app, 0);
    SendKey(ResultList(app), VK_RETURN);
    EXPECT_EQ(kOpen, Recorded(1));

    // A real double-click on the line.
    HWND list = ResultList(app);
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(list, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_EQ(kOpen, Recorded(2));

    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);  // "Open (Enter)", the first item
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(kOpen, Recorded(3));
}

TEST_F(ListShellTest, PropertiesReachTheShellForTheSelectedFile)
{
    SelectLine(app, 0);
    SendKey(ResultList(app), 'P');
    EXPECT_EQ("\"C:\\sorvane\\recorder.exe\" properties \"D:\\Shows\\My Clip.jpg\"", Recorded(1));
    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);  // "Properties (P)", the last item
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    Recorded(2);
}

// The shell shows the folder in a window of its own, titled with the folder's name.
TEST_F(ListShellTest, OpenParentFolderShowsTheFoldersWindow)
{
    SelectLine(app, 0);
    SendKey(ResultList(app), 'F');
    EXPECT_TRUE(WaitUntil([] { return FindWindowA(NULL, "Shows") != NULL; }, 15000)) << "no folder window";
    EXPECT_TRUE(RecordedLines().empty());
}

}  // namespace
