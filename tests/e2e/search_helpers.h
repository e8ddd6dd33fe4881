// Helpers shared by the search and result-list tests: the search buttons, the list's numbering,
// the completion report, a long tree to search, and a recorder program standing in for whatever
// the shell would start.
#ifndef SORVANE_E2E_SEARCH_HELPERS_H
#define SORVANE_E2E_SEARCH_HELPERS_H

#include <cstdio>
#include <cstring>

#include "harness.h"

inline HWND StartButton(const Running &app) { return ChildById(app.main, 115); }
inline HWND AdvancedButton(const Running &app) { return ChildById(app.main, 126); }
inline std::string StatusText(const Running &app) { return WindowTextOf(ChildById(app.main, 128)); }
inline int LineCount(const Running &app) { return SendMessageW(ResultList(app), LB_GETCOUNT, 0, 0); }
inline std::vector<std::string> AllLines(const Running &app) { return ListLines(ResultList(app)); }

// Splits "(N) path"; N is -1 for a line without the prefix (a path starts with its drive).
inline int LineNumber(const std::string &line, std::string *path = nullptr)
{
    int n = -1, used = 0;
    std::sscanf(line.c_str(), "(%d) %n", &n, &used);
    if (path)
        *path = line.substr(used);
    return used ? n : -1;
}

// The paths of a list numbered 1, 2, 3 ... in order, up to a failure that names the first line
// that is not.
inline std::vector<std::string> PathsNumberedInOrder(const std::vector<std::string> &lines)
{
    std::vector<std::string> paths(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        if (LineNumber(lines[i], &paths[i]) != static_cast<int>(i + 1)) {
            ADD_FAILURE() << "line " << i << ": " << lines[i];
            paths.resize(i);
            break;
        }
    return paths;
}

inline std::set<std::string> AsSet(const std::vector<std::string> &v) { return std::set<std::string>(v.begin(), v.end()); }

// Waits for "Search Completed!" (after a Stop, or a search already started), checks the box and
// closes it. The box is found by its text, so a box that goes meanwhile is not read as empty; a
// loaded machine may take a minute over the long tree.
inline void ExpectCompletionBox(const Running &app, int timeoutMs = 120000)
{
    HWND box = WaitForBoxSaying(app, "Search Completed!", timeoutMs);
    ASSERT_TRUE(box != NULL) << "no completion box";
    EXPECT_EQ("Sorvane 1.0", WindowTextOf(box));
    Answer(box, IDOK);
    WaitGone(box);
}

// A tree on D: whose search runs for a while: 100 folders of 40 hits, each with 20 empty
// subfolders that cost the walker time but add no line. Kept between the tests that use it; any
// other test empties the drive.
const int kTreeFiles = 100 * 40;

// Searches D: alone on the tree, E: emptied.
class TreeSearchTest : public SorvaneTest {
protected:
    void SetUp() override
    {
        if (!FileExists("D:\\tree\\ready.txt")) {
            ResetFixtureDrives();
            for (int f = 0; f < kTreeFiles; ++f)
                MakeFile("D:\\tree\\f" + std::to_string(f / 40) + "\\g" + std::to_string(f % 40) + ".jpg");
            for (int e = 0; e < 100 * 20; ++e)
                CreateDirectoryA(("D:\\tree\\f" + std::to_string(e / 20) + "\\e" + std::to_string(e % 20)).c_str(), NULL);
            MakeFile("D:\\tree\\ready.txt");
        }
        ClearFolder("E:");
        app = LaunchSorvane();
        ASSERT_TRUE(app.main != NULL);
        TickDrives(app, {"D:"});
    }
    std::string StartCaption() { return WindowTextOf(StartButton(app)); }
};

// --- Recorder: the shell starts tests/e2e/tools/recorder.exe for ".jpg" files (verbs "open" and
// "properties"), and it logs its command line. Wine reads associations from HKEY_CLASSES_ROOT
// only, so they are written there and taken out again afterwards. ---

const char kRecorderLog[] = "C:\\sorvane\\recorder.log";

// Copies the recorder beside the program and associates ".jpg" with it, unless the prefix
// already has an association of its own for ".jpg" (then false: the test would change it).
inline bool InstallRecorder()
{
    char progId[64] = "";
    DWORD size = sizeof progId;
    if (RegGetValueA(HKEY_CLASSES_ROOT, ".jpg", NULL, RRF_RT_REG_SZ, NULL, progId, &size) != ERROR_FILE_NOT_FOUND &&
        std::strcmp(progId, "SorvaneRecorder") != 0)
        return false;
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    // The test program runs from the build folder, which Wine names by its Unix path.
    std::string src = std::string(self, std::strrchr(self, '\\') + 1) + "recorder.exe";
    size_t unix = src.find("unix\\");
    if (unix != std::string::npos && src.compare(0, 4, "\\\\?\\") != 0)
        src = "\\\\?\\" + src.substr(unix);
    const std::string exe = "C:\\sorvane\\recorder.exe";
    CreateDirectoryA("C:\\sorvane", NULL);
    DeleteFileA(kRecorderLog);
    const std::string values[][2] = {{".jpg", "SorvaneRecorder"},
                                     {"SorvaneRecorder\\shell\\open\\command", "\"" + exe + "\" open \"%1\""},
                                     {"SorvaneRecorder\\shell\\properties\\command", "\"" + exe + "\" properties \"%1\""}};
    bool done = CopyFileA(src.c_str(), exe.c_str(), FALSE);
    for (const auto &v : values)
        done = done && RegSetKeyValueA(HKEY_CLASSES_ROOT, v[0].c_str(), NULL, REG_SZ, v[1].c_str(), v[1].size() + 1) == ERROR_SUCCESS;
    return done;
}

inline void UninstallRecorder()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "SorvaneRecorder");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".jpg");
    DeleteFileA(kRecorderLog);
}

// The lines the recorder logged so far, each ended by CR LF.
inline std::vector<std::string> RecordedLines()
{
    std::vector<std::string> lines;
    std::string all = ReadFileBytes(kRecorderLog);
    for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    return lines;
}

#endif
