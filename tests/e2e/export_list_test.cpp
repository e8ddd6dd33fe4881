// Exporting the list: the Save dialog, the ".txt" rule, the file's bytes, the reports, and what
// the user does while an export writes.
#include "send_helpers.h"

namespace {

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

using ExportListTest = TreeSearchTest;

// A name gets ".txt" unless it ends in a small ".txt"; a file of the extended name is replaced
// after a question, and wholly; each line is written as shown, ended by CR LF. Then a
// list of 4,000 lines whose export is slowed from outside, so that the user can act while it
// writes: lines removed, a new search, the window closed.
TEST_F(ExportListTest, TheFileHoldsTheListOrTheUserIsTold)
{
    ASSERT_EQ("Search Completed!", RunSearchToEnd(app));
    const std::set<DWORD> threads = Throttle::ThreadsOf(app.pi.dwProcessId);
    std::vector<std::string> lines = AllLines(app);
    MakeFile("E:\\REPORT.TXT.txt", 1 << 20);  // longer than the list
    ExportAs(app, "E:\\REPORT.TXT");
    AnswerBox(app, "E:\\REPORT.TXT.txt already exists.\nDo you want to replace it?", IDYES, app.main);
    AnswerBox(app, kExported);
    EXPECT_TRUE(Joined(lines) == ReadFileBytes("E:\\REPORT.TXT.txt")) << "REPORT.TXT.txt is not the list";
    ASSERT_TRUE(CreateDirectoryA("E:\\x.csv.txt", NULL));
    ExportAs(app, "E:\\x.csv");
    AnswerBox(app, "File cannot be created due to an error");

    // A new search replaces the list: the export stops, removes its file and says so.
    Throttle replaced;
    StartSlowExport(app, replaced, threads, "E:\\replaced.txt");
    ASSERT_TRUE(replaced.Hold(2000));
    Click(StartButton(app));
    ASSERT_TRUE(WaitForBoxSaying(app, "error writing", 60000) != NULL) << "the export reported no error";
    replaced.End();
    AnswerBox(app, "There was an error writing to file. List may not have been exported successfully");
    EXPECT_FALSE(FileExists("E:\\replaced.txt"));
    ExpectCompletionBox(app, 60000);

    // Lines removed meanwhile: one already written stays in the file, one not yet written does
    // not go into it. Closing then asks nothing and says nothing, and the program ends once every
    // line kept is written.
    lines = AllLines(app);
    Throttle slow;
    StartSlowExport(app, slow, threads, "E:\\kept.txt");
    ASSERT_TRUE(WaitUntil([&] { uint64_t n = FileSize("E:\\kept.txt"); return n != UINT64_MAX && n > 0; }, 60000))
        << "nothing written";
    ASSERT_TRUE(slow.Hold(5000));  // the export stands still while the user removes lines
    for (int line : {0, kTreeFiles - 2}) {
        SelectLine(app, line);
        SendNow(app.main, WM_COMMAND, 120);  // Remove From List, before the next selection
    }
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == kTreeFiles - 2; }));
    slow.pauseMs = 20;
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    bool boxShown = false;
    EXPECT_TRUE(WaitUntil([&] {
        boxShown = boxShown || WaitForMessageBox(app, 0) != NULL;
        return ProcessEnded(app, 0);
    }, 60000)) << "the program did not end";
    slow.End();
    EXPECT_FALSE(boxShown);
    lines.pop_back();
    EXPECT_TRUE(Joined(lines) == ReadFileBytes("E:\\kept.txt")) << "kept.txt is not the list";
}

}  // namespace
