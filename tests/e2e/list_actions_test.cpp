// Item actions on the result list: selection, remove, delete, numbering, keys and the context
// menu.
#include "send_helpers.h"

namespace {

class ListActionsTest : public SorvaneTest {
protected:
    // A finished search listing `count` files of D:\L; returns the paths in list order.
    std::vector<std::string> ListFiles(int count)
    {
        for (int i = 0; i < count; ++i)
            MakeFile("D:\\L\\n" + std::to_string(i) + ".png", 100 + i);
        TickDrives(app, {"D:"});
        EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
        return PathsNumberedInOrder(AllLines(app));
    }
    int Selected() { return static_cast<int>(SendMessageW(ResultList(app), LB_GETCURSEL, 0, 0)); }
    // A key pressed in the list; waits until the program has handled it.
    void Key(WORD vk)
    {
        SendKey(ResultList(app), vk);
        Answers(app.main);
        Answers(ResultList(app));
    }
    // Picks the context-menu item reached by the given keys (VK_DOWN from the top, VK_UP from
    // the bottom, or a mnemonic letter as WM_CHAR).
    void PickFromContextMenu(const std::vector<WORD> &keys, char mnemonic = 0)
    {
        HWND popup = OpenContextMenu(app);
        ASSERT_TRUE(popup != NULL) << "no context menu";
        for (WORD vk : keys)
            PostMessageA(popup, WM_KEYDOWN, vk, 0);
        if (mnemonic)
            PostMessageA(popup, WM_CHAR, static_cast<WPARAM>(mnemonic), 0);
        else
            PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        WaitGone(popup);
    }
    std::vector<std::string> Lines() { return AllLines(app); }
    // The key typed with Shift held, as real input to the focused list.
    void ShiftKey(WORD vk)
    {
        SetForegroundWindow(app.main);
        WaitUntil([&] { return GetForegroundWindow() == app.main; }, 2000);
        INPUT in[4] = {};
        for (INPUT &i : in)
            i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = VK_SHIFT;
        in[1].ki.wVk = vk;
        in[2].ki.wVk = vk;
        in[2].ki.dwFlags = KEYEVENTF_KEYUP;
        in[3].ki.wVk = VK_SHIFT;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, in, sizeof(INPUT));
        Answers(app.main);
    }
};

TEST_F(ListActionsTest, RemoveFollowsTheSelectionRulesAndLeavesTheFile)
{
    std::vector<std::string> paths = ListFiles(5);
    ASSERT_EQ(5u, paths.size());
    Key('R');  // nothing selected in this list yet: nothing happens
    EXPECT_EQ(5, LineCount(app));

    SelectLine(app, 4);
    ShiftKey('R');
    EXPECT_TRUE(WaitUntil([&] { return LineCount(app) == 4; })) << "Shift+R did not remove the line";
    EXPECT_EQ(3, Selected());
    EXPECT_TRUE(FileExists(paths[4]));

    // The first line removed from the menu: index 1 is selected, the line that was third.
    SelectLine(app, 0);
    PickFromContextMenu({VK_DOWN, VK_DOWN, VK_DOWN});  // "Remove From List (R)"
    ASSERT_EQ(3, LineCount(app));
    EXPECT_EQ(1, Selected());
    Key('R');  // removes what was the third line
    std::vector<std::string> left = Lines();
    ASSERT_EQ(2u, left.size());
    EXPECT_EQ("(2) " + paths[1], left[0]);
    EXPECT_EQ("(4) " + paths[3], left[1]);

    // The first of exactly two: one line left and none selected; R then does nothing.
    SelectLine(app, 0);
    Key('R');
    EXPECT_EQ(1, LineCount(app));
    EXPECT_EQ(-1, Selected());
    Key('R');
    EXPECT_EQ(1, LineCount(app));

    // A new search drops the selection of the old list.
    SelectLine(app, 0);
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    Key('R');
    EXPECT_EQ(5, LineCount(app));
}

TEST_F(ListActionsTest, DeleteAsksFirstAndKeepsTheLineWhenTheFileStays)
{
    std::vector<std::string> paths = ListFiles(3);
    ASSERT_EQ(3u, paths.size());
    SelectLine(app, 1);
    SendKey(ResultList(app), VK_DELETE);
    AnswerBox(app, "Are you sure you want to permanently delete this file ", IDNO);
    EXPECT_EQ(3, LineCount(app));
    EXPECT_TRUE(FileExists(paths[1]));

    // Yes, from the context menu: the file and its line go.
    PickFromContextMenu({VK_UP, VK_UP});  // "Delete File (Del)", second from the bottom
    HWND box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    Answer(box, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(paths[1]); }));
    EXPECT_TRUE(WaitUntil([&] { return LineCount(app) == 2; }));
    EXPECT_EQ(0, Selected());

    // A file that cannot be deleted (held open here without delete sharing) keeps its line.
    HANDLE held = CreateFileA(paths[0].c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SelectLine(app, 0);
    SendKey(ResultList(app), VK_DELETE);
    box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    Answer(box, IDYES);
    WaitGone(box);
    AnswerBox(app, "The file could not be deleted");
    CloseHandle(held);
    EXPECT_TRUE(FileExists(paths[0]));
    EXPECT_EQ(2, LineCount(app));
}

// A line whose file is already gone: Delete removes the line and says nothing, whether the file
// (ERROR_FILE_NOT_FOUND) or its folder (ERROR_PATH_NOT_FOUND) went, before the question or while
// it was open. Nothing is subtracted: Send All still counts the files' 1000 + 2000 + 4000 bytes.
TEST_F(ListActionsTest, DeletingALineWhoseFileIsGoneRemovesItSilently)
{
    MakeFile("D:\\L\\a.png", 1000);
    MakeFile("D:\\M\\b.png", 2000);
    MakeFile("D:\\L\\c.png", 4000);
    TickDrives(app, {"D:"});
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    auto deleteLineOf = [&](const std::string &name, const std::function<void()> &whileAsked) {
        std::vector<std::string> lines = Lines();
        int index = -1;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(name) != std::string::npos)
                index = static_cast<int>(i);
        ASSERT_GE(index, 0) << name;
        SelectLine(app, index);
        SendKey(ResultList(app), VK_DELETE);
        HWND box = WaitForBoxSaying(app, "permanently delete");
        ASSERT_TRUE(box != NULL);
        whileAsked();
        Answer(box, IDYES);
        ASSERT_TRUE(WaitGone(box));
        EXPECT_TRUE(WaitUntil([&] { return static_cast<int>(Lines().size()) == static_cast<int>(lines.size()) - 1; }))
            << name << "'s line stayed";
        EXPECT_TRUE(NoDialogFor(app, 1000)) << name;
    };
    ASSERT_TRUE(DeleteFileA("D:\\L\\a.png"));
    deleteLineOf("a.png", [] {});
    deleteLineOf("b.png", [] { ClearFolder("D:\\M"); ASSERT_TRUE(RemoveDirectoryA("D:\\M")); });
    ASSERT_EQ(1u, Lines().size());

    SelectLine(app, 0);
    PickSendItem(app, true, 0);
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    std::string status;
    WaitUntil([&] { return !(status = ItemText(progress, kProgressStatus)).empty(); });
    EXPECT_EQ(0u, status.find("Sending 1 of 1 (3.91 KB Of 6.84 KB ,")) << status;
}

// Removing the numbers, then adding them again, numbers the lines by position; the selected
// line stays selected and its actions still find it.
TEST_F(ListActionsTest, NumbersOffAndOnRenumberByPosition)
{
    std::vector<std::string> paths = ListFiles(5);
    ASSERT_EQ(5u, paths.size());
    SelectLine(app, 1);
    Key('R');  // numbers 1, 3, 4, 5 left; line 0 selected
    PickFromContextMenu({}, 'n');
    ASSERT_TRUE(WaitUntil([&] { return Lines().front() == paths[0]; }));
    EXPECT_EQ((std::vector<std::string>{paths[0], paths[2], paths[3], paths[4]}), Lines());
    EXPECT_EQ(0, Selected());

    PostCommand(app.main, 129);
    ASSERT_TRUE(WaitUntil([&] { return Lines().back() == "(4) " + paths[4]; }));
    EXPECT_EQ((std::vector<std::string>{"(1) " + paths[0], "(2) " + paths[2], "(3) " + paths[3], "(4) " + paths[4]}),
              Lines());
    EXPECT_EQ(0, Selected());
    Key('R');
    EXPECT_EQ((std::vector<std::string>{"(2) " + paths[2], "(3) " + paths[3], "(4) " + paths[4]}), Lines());
}

TEST_F(ListActionsTest, ContextMenuOnlyOnTheListAndAtTheSelectedLineFromTheKeyboard)
{
    ListFiles(3);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(StartButton(app)), MAKELPARAM(400, 300));
    EXPECT_TRUE(WaitForWindow(app, "#32768", nullptr, 800) == NULL) << "a menu opened off the list";

    HWND list = ResultList(app);
    SelectLine(app, 1);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), static_cast<LPARAM>(-1));
    HWND popup = WaitForWindow(app, "#32768");
    ASSERT_TRUE(popup != NULL);
    RECT item, menu;
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list, NULL, reinterpret_cast<POINT *>(&item), 2);
    GetWindowRect(popup, &menu);
    EXPECT_NEAR(item.left, menu.left, 4);
    EXPECT_NEAR(item.bottom, menu.top, 4);
    PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace
