// Exporting the list: the Save dialog, the ".txt" rule, the file's bytes, the reports, and what
// the user does while an export writes.
#include "harness.h"

#include <algorithm>

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
    Click(StartButton(app));
    ExpectCompletionBox(app);
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
    ASSERT_TRUE(WaitForBox(app, "error writing", 60000) != NULL) << "the export reported no error";
    replaced.End();
    AnswerBox(app, "There was an error writing to file. List may not have been exported successfully");
    EXPECT_FALSE(FileExists("E:\\replaced.txt"));
    ExpectCompletionBox(app, 60000);

    // The R key held down while the export stands still, from 40 lines after the last one written
    // back to 20 before it: the lines it had read stay in the file, the others do not go into it,
    // and it goes on with the lines after them.
    lines = AllLines(app);
    Throttle held;
    StartSlowExport(app, held, threads, "E:\\held.txt");
    held.runMs = 2;  // it reads a few lines at a time: the last one written is close to the last one read
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesExA("E:\\held.txt", GetFileExInfoStandard, &file) && file.nFileSizeLow; },
                          60000)) << "nothing written";
    const uint64_t size = file.nFileSizeLow;
    ASSERT_TRUE(held.Hold(INFINITE));
    size_t writtenLines = 0;
    for (uint64_t at = 0; at < size; at += lines[writtenLines++].size() + 2) {
    }
    const int first = static_cast<int>(writtenLines) - 20, last = first + 60;
    SelectLine(app, last);
    for (int line = last; line >= first; --line)
        SendKey(ResultList(app), 'R');
    ASSERT_TRUE(WaitUntil([&] { return LineCount(app) == kTreeFiles - (last - first + 1); }, 30000));
    held.End();
    AnswerBox(app, kExported);
    const std::string written = ReadFileBytes("E:\\held.txt");
    const int reached = static_cast<int>(std::count(written.begin(), written.end(), '\n')) - (kTreeFiles - 1 - last);
    ASSERT_TRUE(reached >= first && reached <= last + 1) << reached;
    lines.erase(lines.begin() + reached, lines.begin() + last + 1);
    EXPECT_TRUE(Joined(lines) == written) << "held.txt is not the list less the lines removed before it read them";

    // Closing asks nothing and says nothing, hides the window at once, and the program ends once
    // the file is whole.
    lines = AllLines(app);
    Throttle slow;
    StartSlowExport(app, slow, threads, "E:\\kept.txt");
    ASSERT_TRUE(slow.Hold(INFINITE));
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.main); })) << "the window stayed while the export wrote";
    slow.pauseMs = 20;
    SetEvent(slow.wake);
    bool boxShown = false;
    EXPECT_TRUE(WaitUntil([&] {
        boxShown = boxShown || WaitForBox(app, "", 0) != NULL;
        return ProcessEnded(app, 0);
    }, 60000)) << "the program did not end";
    slow.End();
    EXPECT_FALSE(boxShown);
    EXPECT_TRUE(Joined(lines) == ReadFileBytes("E:\\kept.txt")) << "kept.txt is not the list";
}

}  // namespace
