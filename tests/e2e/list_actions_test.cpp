// The result list: what the user does in it during a search is drawn; remove, delete, keys and
// the context menu.
#include "harness.h"

namespace {

using ListActionsTest = SorvaneTest;

// D: holds the files to act on, 200 of them each in a folder of its own, so that lines land over
// many ticks; E: is a long stretch of empty folders during which no line lands. The scroll bar
// then counts every line, as it does after the search. A click and Page Down in the list show, a
// tick later, what a full repaint of the same rows shows after the search, and the status line
// stays visible.
// Removing a line selects the one before it, or the second after the first is removed, and
// leaves the file. The context menu opens on the list only, from
// the keyboard below the selected line. A new search drops the old selection. A file that cannot
// be deleted keeps its line; one already gone, or whose folder went while the question showed,
// loses it without a word. The sizes looked up before the question leave the bytes a send counts:
// the deleted file's and the one whose folder went; the file gone before it had none. Of names the
// Western code page cannot hold, Lodz.jpg with a stroke, Omega.jpg with the Greek letter and a
// folder named in Japanese, none is listed: the first two would read as Lodz.jpg and Omega.jpg.
TEST_F(ListActionsTest, TheListDrawsWhatTheUserDoesAndKeepsTheLinesOfFilesThatStay)
{
    for (int i = 0; i < 200; ++i) {
        std::string folder = "D:\\hits\\f" + std::to_string(i);
        MakeFile(folder + "\\h.jpg");
        for (int e = 0; e < 10; ++e)
            CreateDirectoryA((folder + "\\e" + std::to_string(e)).c_str(), NULL);
    }
    MakeFile("D:\\L\\a.png", 1000);
    MakeFile("D:\\L\\c.png", 4000);
    MakeFile("D:\\L\\d.png", 8000);
    MakeFile("D:\\M\\b.png", 2000);
    MakeFile("D:\\L\\Lodz.jpg");
    CreateDirectoryW(L"D:\\L\\\u65e5\u672c", NULL);
    for (const wchar_t *name : {L"D:\\L\\\u0141odz.jpg", L"D:\\L\\\u03a9mega.jpg", L"D:\\L\\\u65e5\u672c\\a.jpg"})
        CloseHandle(CreateFileW(name, GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL));
    for (int f = 0; f < 100; ++f) {
        std::string folder = "E:\\s" + std::to_string(f);
        CreateDirectoryA(folder.c_str(), NULL);
        for (int e = 0; e < 100; ++e)
            CreateDirectoryA((folder + "\\e" + std::to_string(e)).c_str(), NULL);
    }
    TickDrives(app, {"D:", "E:"});
    Click(StartButton(app));
    HWND list = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (list = ResultList(app)) && LineCount(app) == 205; }, 20000));
    // The list's pixels once it has the focus (its focus rectangle shows), a tick has passed and
    // they hold still: on a loaded machine both the focus and the tick can come late. With no
    // window manager on the display, a closed message box can leave no window active; activating
    // the main window gives the list its focus back as a click on the window would.
    auto settledPixels = [&](RECT r) {
        GUITHREADINFO gui = {sizeof gui, 0, NULL, NULL, NULL, NULL, NULL, NULL, {}};
        EXPECT_TRUE(WaitUntil([&] {
            if (GetGUIThreadInfo(GetWindowThreadProcessId(list, NULL), &gui) && gui.hwndFocus == list)
                return true;
            SetForegroundWindow(app.main);
            return false;
        })) << "the list has no focus; active " << gui.hwndActive << ", focus " << gui.hwndFocus;
        std::vector<uint32_t> now, before;
        EXPECT_TRUE(WaitUntil([&] {
            before = now;
            Sleep(150);
            return (now = ScreenPixels(r)) == before;
        }, 10000)) << "the list never held still";
        return now;
    };
    RECT whole, statusLine;
    GetWindowRect(list, &whole);
    GetWindowRect(ChildById(app.main, 128), &statusLine);
    RECT bar = {whole.right - GetSystemMetrics(SM_CXVSCROLL) - 1, whole.top, whole.right, whole.bottom};  // its border included
    auto twoTicks = [&] {  // E:'s folders change the status line at each tick, which repaints it
        for (int repaint = 0; repaint < 2; ++repaint)
            ASSERT_TRUE(WaitUntil([&, was = ScreenPixels(statusLine)] { return ScreenPixels(statusLine) != was; })) << "no repaint";
    };
    twoTicks();  // from here on no line lands, and the last ones are drawn
    std::vector<uint32_t> barWhileSearching = ScreenPixels(bar);
    LPARAM third = MAKELPARAM(40, 5 * SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, third);
    PostMessageA(list, WM_LBUTTONUP, 0, third);
    SendKey(list, VK_NEXT);
    int top = 0;
    ASSERT_TRUE(WaitUntil([&] { return (top = SendMessageW(list, LB_GETTOPINDEX, 0, 0)) > 0; })) << "Page Down did not scroll";
    twoTicks();
    std::vector<uint32_t> scrolled = settledPixels(whole);
    ASSERT_EQ(0u, WindowTextOf(ChildById(app.main, 128)).find("Searching E:")) << "the search left the stretch before the checks";
    ExpectCompletionBox(app);
    ASSERT_EQ(top, SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_TRUE(scrolled == settledPixels(whole)) << "the list does not show what the user did";
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    EXPECT_TRUE(barWhileSearching == settledPixels(bar)) << "the scroll bar did not count the lines below the view";

    auto selected = [&] { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); };
    std::vector<std::string> p = PathsNumberedInOrder(AllLines(app));
    ASSERT_EQ(205u, p.size());
    SelectLine(app, 3);
    SendNow(list, WM_KEYDOWN, 'R');  // handled when this returns
    EXPECT_EQ(2, selected());
    EXPECT_TRUE(FileExists(p[3]));
    SendNow(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(StartButton(app)), MAKELPARAM(400, 300), 800);
    EXPECT_TRUE(TopLevelOf(app, "#32768").empty()) << "a menu opened off the list";
    SelectLine(app, 0);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    HWND popup = WaitForWindow(app, "#32768");
    ASSERT_TRUE(popup != NULL);
    RECT item, menu;
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list, NULL, reinterpret_cast<POINT *>(&item), 2);
    GetWindowRect(popup, &menu);
    EXPECT_NEAR(item.left, menu.left, 4);
    EXPECT_NEAR(item.bottom, menu.top, 4);
    for (WORD vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})  // "Remove From List (R)"
        PostMessageA(popup, WM_KEYDOWN, vk, 0);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == 203; }));
    EXPECT_EQ(1, selected()) << "the first line removed: the one that was third is selected";
    SendNow(list, WM_KEYDOWN, 'R');
    EXPECT_EQ(202, LineCount(app)) << "R removed no line";
    SelectLine(app, 0);
    ASSERT_EQ(205u, SearchDriveD(app).size());
    list = ResultList(app);  // each search makes a new list
    SendNow(list, WM_KEYDOWN, 'R');
    ASSERT_EQ(205, LineCount(app));

    auto deleteLineOf = [&](const std::string &name, int answer, const std::function<void()> &whileAsked) {
        std::vector<std::string> lines = AllLines(app);
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(name) != std::string::npos)
                SelectLine(app, i);
        SendKey(list, VK_DELETE);
        HWND box = WaitForBox(app, "Are you sure you want to permanently delete this file ");
        ASSERT_TRUE(box != NULL) << name;
        whileAsked();
        Answer(box, answer);
        ASSERT_TRUE(WaitGone(box));
    };
    deleteLineOf("d.png", IDNO, [] {});
    deleteLineOf("c.png", IDYES, [] {});
    EXPECT_TRUE(WaitUntil([&] { return !FileExists("D:\\L\\c.png") && LineCount(app) == 204; }));
    HANDLE held = CreateFileA("D:\\L\\d.png", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    deleteLineOf("d.png", IDYES, [] {});
    AnswerBox(app, "The file could not be deleted");
    CloseHandle(held);
    ASSERT_TRUE(DeleteFileA("D:\\L\\a.png"));
    deleteLineOf("a.png", IDYES, [] {});
    deleteLineOf("b.png", IDYES, [] { ClearFolder(L"D:\\M"); RemoveDirectoryA("D:\\M"); });
    EXPECT_EQ(202, LineCount(app)) << "only the line of the file that could not be deleted stays";
    deleteLineOf("Lodz.jpg", IDYES, [] {});
    EXPECT_TRUE(WaitUntil([&] { return !FileExists("D:\\L\\Lodz.jpg") && LineCount(app) == 201; }));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"D:\\L\\\u0141odz.jpg"));

    Throttle throttle;   // the window stays while its status is read
    HWND progress = throttle.Send(app, true);
    ASSERT_TRUE(progress != NULL);
    std::string status;
    WaitUntil([&] { return !(status = ItemText(progress, kProgressStatus)).empty(); });
    EXPECT_NE(std::string::npos, status.find(" Of 8.79 KB ,")) << status;
}

}  // namespace
