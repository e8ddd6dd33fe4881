// Names in code page 932, where the second byte of a character may be a backslash: "so" in
// "sony.jpg" and the folder "hyo". CMakeLists.txt runs this file under a Japanese locale, which
// gives Wine that code page.
#include "harness.h"

namespace {

const std::string kHyo = "\x95\x5c", kSony = "\x83\x5c\x83\x6a\x81\x5b.jpg";

using CodePage932Test = SorvaneTest;

// Open Parent Folder of D:\\hyo\sony.jpg opens hyo. Send To the drive names the copy sony.jpg,
// not the part after the byte of "so"; Send To a folder ending in hyo puts it inside.
TEST_F(CodePage932Test, OpenParentFolderAndSendToKeepWholeCharacters)
{
    ASSERT_EQ(932u, GetACP());
    MakeFile("D:\\" + kHyo + "\\" + kSony, 10);
    ASSERT_TRUE(CreateDirectoryA(("E:\\" + kHyo).c_str(), NULL));
    ASSERT_EQ(std::vector<std::string>{"(1) D:\\\\" + kHyo + "\\" + kSony}, SearchDriveD(app));
    SelectLine(app, 0);
    PostCommand(app.main, 118);
    HWND folder = NULL;
    EXPECT_TRUE(WaitUntil([&] { return (folder = FindWindowA(NULL, kHyo.c_str())) != NULL; }, 15000));
    PostMessageA(folder, WM_CLOSE, 0, 0);  // gone first: shown late, it would take the focus and close the menu below
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(folder); }, 15000));

    PickSendItem(app, false);     // Send To E:
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 10000));
    EXPECT_TRUE(FileExists("E:\\" + kSony));
    PostCommand(app.main, 201);   // Send To, Folder... after E:
    HWND browser = WaitForWindow(app, "#32770");   // its title is in Japanese here
    ASSERT_TRUE(browser != NULL);
    AnswerFolderBrowser(app, browser, Wide("E:\\" + kHyo).c_str());
    EXPECT_TRUE(WaitUntil([&] { return FileExists("E:\\" + kHyo + "\\" + kSony); }, 10000));
}

}  // namespace
