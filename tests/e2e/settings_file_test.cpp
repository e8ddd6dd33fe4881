// Saving and loading settings files through the dialog's buttons and the common file dialogs:
// the bytes written, the name rule, and crafted files read back into the dialog's controls.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using SettingsFileTest = SettingsTest;

TEST_F(SettingsFileTest, SaveWritesTheFileByteForByte)
{
    Open();
    Save("D:\\defaults");
    EXPECT_EQ("1\r\n1\r\n0\r\n0", ReadFileBytes("D:\\defaults.svq"));

    // Own extensions; the minimum ticked with an empty box; the maximum 'abc'.
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, ".avi .mkv");
    PressAndWait(161, [&] { return On(161); }, "minimum");
    SetText(163, "");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "abc");
    StepUnit(166, VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return Unit(166) == 1; }));
    Save("D:\\a");
    EXPECT_EQ("1\r\n3 .avi .mkv\r\n1  KB\r\n1 abc MB", ReadFileBytes("D:\\a.svq"));

    // A folder, everything, a 12-character value cut to 9.
    BrowseTo(1);
    PressAndWait(160, [&] { return On(160); }, "everything");
    SetText(163, "123456789012");
    PressAndWait(162, [&] { return !On(162); }, "maximum off");
    Save("D:\\b");
    EXPECT_EQ("2 D:\\\r\n2\r\n1 123456789 KB\r\n0", ReadFileBytes("D:\\b.svq"));

    // An extension text with a line break is written with it.
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, ".a\r\n.b");
    Save("D:\\c");
    EXPECT_EQ("2 D:\\\r\n3 .a\r\n.b\r\n1 123456789 KB\r\n0", ReadFileBytes("D:\\c.svq"));

    // The name rule: ".svq" unless the name already ends in exactly that.
    Save("D:\\mine.SVQ");   // first: the file system would take mine.svq for it
    Save("D:\\mine.txt");
    Save("D:\\mine");
    EXPECT_TRUE(FileExists("D:\\mine.svq"));
    EXPECT_TRUE(FileExists("D:\\mine.txt.svq"));
    EXPECT_FALSE(FileExists("D:\\mine.txt"));
    EXPECT_EQ(ReadFileBytes("D:\\c.svq"), ReadFileBytes("D:\\mine.SVQ.svq"));

    // The appended name is an existing file: the program asks first, owned by the dialog; No
    // writes nothing and says nothing further.
    const std::string question = "D:\\mine.txt.svq already exists.\nDo you want to replace it?";
    PressAndWait(160, [&] { return On(160); }, "everything");
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(question, dlg, IDNO);
    EXPECT_TRUE(WaitForMessageBox(app, 800) == NULL) << "No says nothing further";
    EXPECT_EQ(ReadFileBytes("D:\\c.svq"), ReadFileBytes("D:\\mine.txt.svq"));
    UseFileDialog(167, "D:\\mine.txt");
    AnswerBox(question, dlg, IDYES);
    AnswerBox("Settings successfully saved", dlg, IDOK);
    EXPECT_EQ("2 D:\\\r\n2\r\n1 123456789 KB\r\n0", ReadFileBytes("D:\\mine.txt.svq"));

    // A file that cannot be replaced (held open here): the main window reports it, then the dialog.
    HANDLE held = CreateFileA("D:\\mine.svq", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    HWND fd = UseFileDialog(167, "D:\\mine.svq", true);
    HWND replace = NULL;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : TopLevelOf(app))
            if (GetWindow(w, GW_OWNER) == fd && GetDlgItem(w, 0xFFFF))
                replace = w;
        return replace != NULL;
    })) << "no question about replacing the file";
    Answer(replace, IDYES);
    AnswerBox("File cannot be created due to an error", app.main, IDOK);
    AnswerBox("Settings could not be saved successfully", dlg, IDOK);
    CloseHandle(held);
}

TEST_F(SettingsFileTest, LoadAppliesLineByLine)
{
    Open();
    EXPECT_FALSE(Load("2 D:\\media\r\n3 .avi .mkv\r\n1 10 MB\r\n1 2 GB"));
    EXPECT_TRUE(On(153) && !On(154) && Shown(159));
    EXPECT_EQ("D:\\media", Text(159));
    EXPECT_TRUE(On(155) && Shown(157) && Shown(111) && !On(156));
    EXPECT_EQ(".avi .mkv", Text(157));
    EXPECT_TRUE(On(161) && On(162));
    EXPECT_EQ("10", Text(163));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ("2", Text(164));
    EXPECT_EQ(2, Unit(166));

    // An empty file and a bad first code change nothing.
    EXPECT_TRUE(Load(""));
    EXPECT_TRUE(Load("3 E:\\\r\n1\r\n0\r\n0"));
    EXPECT_TRUE(On(153) && On(155) && On(161));
    EXPECT_EQ("D:\\media", Text(159));

    // LF alone: line 1 applies, line 2 has lost its code.
    EXPECT_TRUE(Load("1\n2\n0\n0"));
    EXPECT_TRUE(On(154) && !On(153) && !Shown(159));
    EXPECT_TRUE(On(155)) << "line 2 was not applied";

    // '1 5 kb': the box is ticked and the value set before the unit fails.
    PressAndWait(161, [&] { return !On(161); }, "minimum off");
    EXPECT_TRUE(Load("1\r\n2\r\n1 5 kb\r\n0"));
    EXPECT_TRUE(On(160) && !Shown(157));
    EXPECT_TRUE(On(161));
    EXPECT_EQ("5", Text(163));
    EXPECT_EQ(1, Unit(165));
    EXPECT_TRUE(On(162)) << "line 4 was not applied";

    // '1 5 Kx' is KB; extra blanks before a unit are skipped; "0" unticks.
    EXPECT_FALSE(Load("1\r\n1\r\n1 7 Kx\r\n1 8    M"));
    EXPECT_TRUE(On(156) && !On(160));
    EXPECT_EQ("7", Text(163));
    EXPECT_EQ(0, Unit(165));
    EXPECT_EQ("8", Text(164));
    EXPECT_EQ(1, Unit(166));
    EXPECT_FALSE(Load("1\r\n1\r\n0\r\n0"));
    EXPECT_FALSE(On(161) || On(162));
    EXPECT_EQ("7", Text(163)) << "an unticked box keeps its value";
}

TEST_F(SettingsFileTest, LoadTreatsLinesOutOfBoundsAsInvalidAndReadsNoMoreThan800Bytes)
{
    Open();
    // Over-long lines are invalid from that line on.
    EXPECT_TRUE(Load("1\r\n2\r\n1 " + std::string(27, '4') + " MB\r\n0"));
    EXPECT_TRUE(On(160) && !On(161));
    EXPECT_EQ("1", Text(163));
    EXPECT_TRUE(Load("2 E:\\\r\n3 " + std::string(510, '.') + "\r\n0\r\n0"));
    EXPECT_TRUE(On(153) && On(160));
    EXPECT_EQ("E:\\", Text(159));
    EXPECT_TRUE(Load("1" + std::string(271, ' ') + "\r\n1\r\n0\r\n0"));
    EXPECT_TRUE(On(153));

    // A text with a line break, saved and loaded: only its first part comes back.
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, ".a\r\n.b");
    Save("D:\\broken");
    SetText(157, "");
    PressAndWait(156, [&] { return On(156); }, "default extensions");
    UseFileDialog(168, "D:\\broken.svq");
    AnswerBox(kInvalidData, dlg, IDOK);
    EXPECT_TRUE(On(155));
    EXPECT_EQ(".a", Text(157));

    // A 10 MB file: only its first 800 bytes are read.
    std::string big = "1\r\n2\r\n1 3 GB\r\n0\r\n";
    big.resize(10u << 20, 'z');
    EXPECT_FALSE(Load(big));
    EXPECT_TRUE(On(154) && On(160) && On(161));
    EXPECT_EQ("3", Text(163));
    EXPECT_EQ(2, Unit(165));

    // A file that cannot be opened: the main window reports it, then the dialog.
    HANDLE held = CreateFileA("D:\\load.svq", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    UseFileDialog(168, "D:\\load.svq");
    AnswerBox("File cannot be opened due to an error", app.main, IDOK);
    AnswerBox(kInvalidData, dlg, IDOK);
    CloseHandle(held);
}

TEST_F(SettingsFileTest, LoadSetsTheFolderAndUnitsEvenWhenCancelled)
{
    Open();
    BrowseTo(1);
    PressOkAndExpectClose();
    Open();
    EXPECT_FALSE(Load("2 E:\\\r\n2\r\n1 5 MB\r\n1 3 KB"));
    Press(152);
    ASSERT_TRUE(Closed());
    Open();
    EXPECT_TRUE(On(153));
    EXPECT_EQ("E:\\", Text(159)) << "the search folder was set by the load";
    EXPECT_TRUE(On(156) && !On(161) && !On(162)) << "switches and values wait for OK";
    EXPECT_EQ("1", Text(163));
    EXPECT_EQ(1, Unit(165));
    EXPECT_EQ(0, Unit(166));
}

}  // namespace
