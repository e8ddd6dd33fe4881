// Exporting the list through the real window: the save dialog, the bytes written for numbered and
// plain lists, the ".txt" rule, overwriting, an empty list, a file that cannot be created, and
// what the user does while an export writes.
#include "send_helpers.h"

#include <algorithm>

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

TEST_F(ExportListTest, AnExistingFileIsReplacedOnlyAfterAQuestion)
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

    // The name the program extends is an existing file: the program asks, and No writes nothing.
    WriteFileBytes("E:\\list.csv.txt", "kept");
    const std::string question = "E:\\list.csv.txt already exists.\nDo you want to replace it?";
    ExportAs(app, "E:\\list.csv");
    ask = WaitForBoxSaying(app, "already exists");
    ASSERT_TRUE(ask != NULL) << "no question before replacing list.csv.txt";
    EXPECT_TRUE(GetDlgItem(ask, IDNO) && !GetDlgItem(ask, IDOK) && !GetDlgItem(ask, IDCANCEL));
    AnswerBox(app, question, IDNO, app.main);
    EXPECT_TRUE(NoDialogFor(app, 800)) << "No says nothing further";
    EXPECT_EQ("kept", ReadFileBytes("E:\\list.csv.txt"));
    ExportAs(app, "E:\\list.csv");
    AnswerBox(app, question, IDYES, app.main);
    AnswerBox(app, kExported);
    EXPECT_EQ("(1) D:\\\\a.jpg\r\n", ReadFileBytes("E:\\list.csv.txt"));
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

// Whether the file holds exactly these lines, each ended by CR LF; else the first that differs.
::testing::AssertionResult FileHolds(const std::string &file, const std::vector<std::string> &lines)
{
    std::string bytes = ReadFileBytes(file), expected = Joined(lines);
    if (bytes == expected)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < bytes.size() && at < expected.size() && bytes[at] == expected[at])
        ++at;
    size_t line = static_cast<size_t>(std::count(expected.begin(), expected.begin() + static_cast<long>(at), '\n'));
    return ::testing::AssertionFailure() << file << " differs from line " << line << " on ("
                                         << (line < lines.size() ? lines[line] : "past the end") << ")";
}

// A list of 4,000 lines whose export is slowed from outside, so that the user can act while it
// writes: lines removed, a new search, the window closed.
using ExportDuringUseTest = TreeSearchTest;

// Exports the list to the file and, once the file exists, runs every thread that the program
// did not have before its first export, the export thread among them, at half speed.
void StartSlowExport(const Running &app, Throttle &slow, const std::set<DWORD> &unslowed, const std::string &file)
{
    slow.Arm(app);
    slow.before = unslowed;
    slow.runMs = 20;
    slow.pauseMs = 20;
    ExportAs(app, file);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(file); }, 10000)) << "the export did not start";
    slow.Start();
}

TEST_F(ExportDuringUseTest, AnExportWritesTheWholeListOrSaysItDidNot)
{
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    const std::set<DWORD> threads = Throttle::ThreadsOf(app.pi.dwProcessId);
    std::vector<std::string> lines = AllLines(app);
    ASSERT_EQ(static_cast<size_t>(kTreeFiles), lines.size());

    // Lines removed meanwhile: one already written stays in the file, one not yet written does
    // not go into it, and every line kept is written.
    {
        Throttle slow;
        StartSlowExport(app, slow, threads, "E:\\kept.txt");
        ASSERT_TRUE(WaitUntil([&] {
            uint64_t written = FileSize("E:\\kept.txt");
            return written != UINT64_MAX && written > 0;
        }, 60000)) << "nothing written";
        ASSERT_TRUE(slow.Hold(5000));  // the export stands still while the user removes lines
        for (int line : {0, kTreeFiles - 2}) {
            SelectLine(app, line);
            PostCommand(app.main, 120);  // Remove From List
        }
        ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == kTreeFiles - 2; }));
        slow.End();
        AnswerBox(app, kExported);
    }
    std::vector<std::string> kept = lines;
    kept.pop_back();
    EXPECT_TRUE(FileHolds("E:\\kept.txt", kept));

    // A new search replaces the list: the export stops, removes its file and says so.
    {
        Throttle slow;
        StartSlowExport(app, slow, threads, "E:\\replaced.txt");
        ASSERT_TRUE(slow.Hold(2000));
        Click(StartButton(app));
        HWND box = WaitForBoxSaying(app, "error writing", 60000);
        slow.End();
        ASSERT_TRUE(box != NULL) << "the export reported no error";
        AnswerBox(app, "There was an error writing to file. List may not have been exported successfully");
        EXPECT_FALSE(FileExists("E:\\replaced.txt"));
        ASSERT_TRUE(WaitForBoxSaying(app, "Search Completed!", 60000) != NULL);
        AnswerBox(app, "Search Completed!");
    }

    // Closing meanwhile: no question and no report, and the program ends once the file is whole.
    lines = AllLines(app);
    Throttle slow;
    StartSlowExport(app, slow, threads, "E:\\closing.txt");
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    bool boxShown = false;
    EXPECT_TRUE(WaitUntil([&] {
        boxShown = boxShown || WaitForMessageBox(app, 0) != NULL;
        return ProcessEnded(app, 0);
    }, 60000)) << "the program did not end";
    slow.End();
    EXPECT_FALSE(boxShown);
    EXPECT_TRUE(FileHolds("E:\\closing.txt", lines));
}

}  // namespace
