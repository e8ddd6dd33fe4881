// Exporting the list through the real window: the save dialog, the bytes written for numbered and
// plain lists, the ".txt" rule, overwriting, an empty list, and a file that cannot be created.
#include "send_helpers.h"

namespace {

using ExportListTest = SorvaneTest;

const char kExported[] = "List has been successfully exported";

// Opens File > Export List, types the name and saves.
void ExportAs(const Running &app, const std::string &name)
{
    PickMenu(app, 'F', 'E');
    HWND dialog = WaitForWindow(app, "#32770", "Write a file name to export list to");
    ASSERT_TRUE(dialog != NULL) << "no save dialog";
    FillFileDialog(dialog, name);
}


std::string Joined(const std::vector<std::string> &lines)
{
    std::string all;
    for (const std::string &line : lines)
        all += line + "\r\n";
    return all;
}

TEST_F(ExportListTest, NumberedAndPlainListsAreWrittenLineByLine)
{
    MakeFile("D:\\Media\\a.jpg");
    MakeFile("D:\\Media\\b b.png");
    MakeFile("D:\\Media\\c.mp3");
    std::vector<std::string> numbered = SearchDriveD(app);
    ASSERT_EQ(3u, numbered.size());
    ExportAs(app, "E:\\numbered.txt");
    AnswerBox(app, kExported);
    EXPECT_EQ(Joined(numbered), ReadFileBytes("E:\\numbered.txt"));
    EXPECT_EQ(0u, ReadFileBytes("E:\\numbered.txt").rfind("(1) D:\\\\Media\\", 0));

    HWND popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL);
    PostMessageA(popup, WM_CHAR, 'n', 0);
    std::vector<std::string> plain;
    ASSERT_TRUE(WaitUntil([&] {
        plain = ListLines(ResultList(app));
        return plain.size() == 3 && plain[0].rfind("D:", 0) == 0 && plain[2].rfind("D:", 0) == 0;
    }));
    ExportAs(app, "E:\\plain.txt");
    AnswerBox(app, kExported);
    EXPECT_EQ(Joined(plain), ReadFileBytes("E:\\plain.txt"));
}

TEST_F(ExportListTest, NamesGetTxtUnlessTheyEndInSmallTxt)
{
    MakeFile("D:\\a.jpg");
    ASSERT_EQ(1u, SearchDriveD(app).size());
    for (const char *typed : {"E:\\REPORT.TXT", "E:\\report", "E:\\report.csv"}) {
        ExportAs(app, typed);
        AnswerBox(app, kExported);
    }
    EXPECT_EQ((std::set<std::string>{"REPORT.TXT.txt", "report.txt", "report.csv.txt"}), FilesIn("E:"));
    EXPECT_EQ("(1) D:\\\\a.jpg\r\n", ReadFileBytes("E:\\report.csv.txt"));
}

TEST_F(ExportListTest, AnExistingFileIsReplacedAfterTheDialogAsks)
{
    MakeFile("D:\\a.jpg");
    MakeFile("E:\\old.txt", 5000, 'o');
    ASSERT_EQ(1u, SearchDriveD(app).size());
    ExportAs(app, "E:\\old.txt");
    HWND ask = NULL;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : TopLevelOf(app, "#32770"))
            if (GetDlgItem(w, IDYES))
                ask = w;
        return ask != NULL;
    })) << "the dialog did not ask before overwriting";
    Answer(ask, IDYES);
    AnswerBox(app, kExported);
    EXPECT_EQ("(1) D:\\\\a.jpg\r\n", ReadFileBytes("E:\\old.txt")) << "replaced, not appended to";
}

TEST_F(ExportListTest, AListWhoseLinesWereAllRemovedGivesAnEmptyFile)
{
    MakeFile("D:\\a.jpg");
    ASSERT_EQ(1u, SearchDriveD(app).size());
    SelectLine(app, 0);
    PostCommand(app.main, 120);  // Remove From List
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == 0; }));
    ExportAs(app, "E:\\empty");
    AnswerBox(app, kExported);
    EXPECT_TRUE(FileExists("E:\\empty.txt"));
    EXPECT_EQ("", ReadFileBytes("E:\\empty.txt"));
}

TEST_F(ExportListTest, AFileThatCannotBeCreatedIsReportedAndACancelledDialogIsSilent)
{
    MakeFile("D:\\a.jpg");
    ASSERT_EQ(1u, SearchDriveD(app).size());
    ASSERT_TRUE(CreateDirectoryA("E:\\x.csv.txt", NULL));
    ExportAs(app, "E:\\x.csv");
    AnswerBox(app, "File cannot be created due to an error");
    EXPECT_TRUE(GetFileAttributesA("E:\\x.csv.txt") & FILE_ATTRIBUTE_DIRECTORY);

    PickMenu(app, 'F', 'E');
    HWND dialog = WaitForWindow(app, "#32770", "Write a file name to export list to");
    ASSERT_TRUE(dialog != NULL);
    Answer(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(NoDialogFor(app, 800)) << "a cancelled export says nothing";
    EXPECT_EQ(std::set<std::string>(), FilesIn("E:"));
}

}  // namespace
