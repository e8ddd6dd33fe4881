// Saving and loading settings files through the dialog's buttons and the common file dialogs:
// the bytes written for what the controls show, and a loaded file applied line by line.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using SettingsFileTest = SettingsTest;

TEST_F(SettingsFileTest, SaveWritesWhatTheControlsShow)
{
    Open();
    Save("D:\\defaults");
    EXPECT_EQ("1\r\n1\r\n0\r\n0", ReadFileBytes("D:\\defaults.svq"));

    // Texts as shown, unchecked: a ticked minimum with an empty box, a maximum of 'abc'.
    OwnExtensions(".avi .mkv");
    Tick(161);
    SetText(163, "");
    Tick(162);
    SetText(164, "abc");
    StepUnits(166, VK_UP, 1, 1);
    const std::string first = "1\r\n3 .avi .mkv\r\n1  KB\r\n1 abc MB";
    Save("D:\\mine.txt");   // ".svq" is appended
    EXPECT_FALSE(FileExists("D:\\mine.txt"));
    EXPECT_EQ(first, ReadFileBytes("D:\\mine.txt.svq"));

    // The appended name is an existing file: the program asks first. No writes nothing and says
    // nothing further; Yes replaces the file with the shorter one of a folder, everything and a
    // 12-character value cut to 9.
    BrowseTo("D:\\");
    Tick(160);
    SetText(163, "123456789012");
    Tick(162, false);
    const std::string question = "D:\\mine.txt.svq already exists.\nDo you want to replace it?";
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(app, question, IDNO, dlg);
    EXPECT_TRUE(WaitForMessageBox(app, 800) == NULL) << "No says nothing further";
    EXPECT_EQ(first, ReadFileBytes("D:\\mine.txt.svq"));
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(app, question, IDYES, dlg);
    AnswerBox(app, "Settings successfully saved", IDOK, dlg);
    EXPECT_EQ("2 D:\\\r\n2\r\n1 123456789 KB\r\n0", ReadFileBytes("D:\\mine.txt.svq"));
}

// The folder and the units of a loaded file take effect at once, even if the dialog is then
// cancelled; the other lines wait for OK.
TEST_F(SettingsFileTest, LoadAppliesLineByLine)
{
    Open();
    BrowseTo("D:\\");
    End(151);
    Open();
    EXPECT_FALSE(Load("2 D:\\media\r\n3 .avi .mkv\r\n1 10 MB\r\n1 2 GB"));
    EXPECT_TRUE(On(153) && !On(154) && Shown(159) && On(155) && Shown(157) && On(161) && On(162));
    EXPECT_EQ("D:\\media|.avi .mkv|10|2", Text(159) + "|" + Text(157) + "|" + Text(163) + "|" + Text(164));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(2, Unit(166));

    // A bad line warns and leaves what the lines before it did: '1 5 kb' sets its value, then
    // fails at the unit; line 4 is not applied. An empty file changes nothing.
    EXPECT_TRUE(Load("1\r\n2\r\n1 5 kb\r\n0"));
    EXPECT_TRUE(On(154) && !Shown(159) && On(160) && !Shown(157) && On(161) && On(162));
    EXPECT_EQ("5", Text(163));
    EXPECT_EQ(1, Unit(165));
    EXPECT_TRUE(Load(""));
    EXPECT_TRUE(On(154) && On(160));

    // "0" unticks a limit, which keeps its value.
    EXPECT_FALSE(Load("2 E:\\\r\n1\r\n0\r\n1 3 KB"));
    EXPECT_TRUE(On(156) && !On(161));
    EXPECT_EQ("5", Text(163));
    CancelAndReopen();
    EXPECT_TRUE(On(153));
    EXPECT_EQ("E:\\", Text(159));
    EXPECT_TRUE(On(156) && !On(161) && !On(162));
    EXPECT_EQ("1", Text(163));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(0, Unit(166));

    // A file that cannot be opened: the main window reports it, then the dialog.
    HANDLE held = CreateFileA("D:\\load.svq", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    UseFileDialog(168, "D:\\load.svq");
    AnswerBox(app, "File cannot be opened due to an error", IDOK, app.main);
    AnswerBox(app, kInvalidData, IDOK, dlg);
    CloseHandle(held);
}

}  // namespace
