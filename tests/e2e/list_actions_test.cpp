// The result list's actions: remove, delete, keys and the context menu.
#include "send_helpers.h"

namespace {

class ListActionsTest : public SorvaneTest {
protected:
    int Selected() { return SendMessageW(ResultList(app), LB_GETCURSEL, 0, 0); }
    // A key pressed in the list, handled before this returns.
    void Key(WORD vk)
    {
        SendKey(ResultList(app), vk);
        Answers(app.main);
        Answers(ResultList(app));
    }
    // Picks the item of the open context menu that the keys reach.
    void Pick(HWND popup, std::initializer_list<WORD> keys)
    {
        for (WORD vk : keys)
            PostMessageA(popup, WM_KEYDOWN, vk, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        WaitGone(popup);
    }
};

// Removing a line selects the one before it, or the second after the first is removed; the
// numbers stay as they were and the file stays. The context menu opens on the list only, from
// the keyboard below the selected line. A new search drops the old selection. Then a file that
// cannot be deleted keeps its line; one already gone, or whose folder went while the question
// showed, loses it without a word. Only the deleted file leaves the bytes a send counts.
TEST_F(ListActionsTest, RemoveAndDeleteKeepTheLinesOfFilesThatStay)
{
    MakeFile("D:\\L\\a.png", 1000);
    MakeFile("D:\\L\\c.png", 4000);
    MakeFile("D:\\L\\d.png", 8000);
    MakeFile("D:\\M\\b.png", 2000);
    std::vector<std::string> p = PathsNumberedInOrder(SearchDriveD(app));
    ASSERT_EQ(4u, p.size());
    SelectLine(app, 3);
    Key('R');
    EXPECT_EQ(2, Selected());
    EXPECT_TRUE(FileExists(p[3]));

    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(StartButton(app)), MAKELPARAM(400, 300));
    EXPECT_TRUE(WaitForWindow(app, "#32768", nullptr, 800) == NULL) << "a menu opened off the list";
    SelectLine(app, 0);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ResultList(app)), -1);
    HWND popup = WaitForWindow(app, "#32768");
    ASSERT_TRUE(popup != NULL);
    RECT item, menu;
    SendMessageW(ResultList(app), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(ResultList(app), NULL, reinterpret_cast<POINT *>(&item), 2);
    GetWindowRect(popup, &menu);
    EXPECT_NEAR(item.left, menu.left, 4);
    EXPECT_NEAR(item.bottom, menu.top, 4);
    Pick(popup, {VK_DOWN, VK_DOWN, VK_DOWN});  // "Remove From List (R)"
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == 2; }));
    EXPECT_EQ(1, Selected()) << "the first line removed: the one that was third is selected";
    Key('R');
    EXPECT_EQ(std::vector<std::string>{"(2) " + p[1]}, AllLines(app));
    SelectLine(app, 0);
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    Key('R');
    ASSERT_EQ(4, LineCount(app));

    auto deleteLineOf = [&](const std::string &path, int answer, bool fromMenu, const std::function<void()> &whileAsked) {
        std::vector<std::string> lines = AllLines(app);
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(path) != std::string::npos)
                SelectLine(app, i);
        if (fromMenu)
            Pick(OpenContextMenu(app), {VK_UP, VK_UP});  // "Delete File (Del)"
        else
            SendKey(ResultList(app), VK_DELETE);
        HWND box = WaitForBoxSaying(app, "Are you sure you want to permanently delete this file ");
        ASSERT_TRUE(box != NULL) << path;
        whileAsked();
        Answer(box, answer);
        ASSERT_TRUE(WaitGone(box));
    };
    deleteLineOf("d.png", IDNO, false, [] {});
    deleteLineOf("c.png", IDYES, true, [] {});
    EXPECT_TRUE(WaitUntil([&] { return !FileExists("D:\\L\\c.png") && LineCount(app) == 3; }));
    HANDLE held = CreateFileA("D:\\L\\d.png", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    deleteLineOf("d.png", IDYES, false, [] {});
    AnswerBox(app, "The file could not be deleted");
    CloseHandle(held);
    ASSERT_TRUE(DeleteFileA("D:\\L\\a.png"));
    deleteLineOf("a.png", IDYES, false, [] {});
    deleteLineOf("b.png", IDYES, false, [] { ClearFolder("D:\\M"); RemoveDirectoryA("D:\\M"); });
    EXPECT_TRUE(NoDialogFor(app, 1000));
    ASSERT_EQ(1, LineCount(app));
    EXPECT_NE(std::string::npos, AllLines(app)[0].find("d.png"));

    SelectLine(app, 0);
    PickSendItem(app, true, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    std::string status;
    WaitUntil([&] { return !(status = ItemText(progress, kProgressStatus)).empty(); });
    EXPECT_EQ(0u, status.find("Sending 1 of 1 (7.81 KB Of 10.74 KB ,")) << status;
}

}  // namespace
