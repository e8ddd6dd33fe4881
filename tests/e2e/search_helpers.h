// Helpers shared by the search and result-list tests: drive boxes, the list's numbering, the
// completion report, and a recorder program standing in for whatever the shell would start.
#ifndef SORVANE_E2E_SEARCH_HELPERS_H
#define SORVANE_E2E_SEARCH_HELPERS_H

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "harness.h"

inline HWND StartButton(const Running &app) { return ChildById(app.main, 115); }
inline HWND AdvancedButton(const Running &app) { return ChildById(app.main, 126); }
inline std::string StatusText(const Running &app) { return WindowTextOf(ChildById(app.main, 128)); }
inline int LineCount(const Running &app)
{
    return static_cast<int>(SendMessageW(ResultList(app), LB_GETCOUNT, 0, 0));
}

inline std::vector<std::string> AllLines(const Running &app) { return ListLines(ResultList(app)); }

// Splits "(N) path"; N is -1 for a line without the prefix.
inline int LineNumber(const std::string &line, std::string *path = nullptr)
{
    int n = -1, used = 0;
    if (std::sscanf(line.c_str(), "(%d) %n", &n, &used) != 1 || used == 0 || line[static_cast<size_t>(used) - 1] != ' ')
        n = -1, used = 0;
    if (path)
        *path = line.substr(static_cast<size_t>(used));
    return n;
}

// The paths of a list numbered 1, 2, 3 ... in order; a failure names the first line that is not.
inline std::vector<std::string> PathsNumberedInOrder(const std::vector<std::string> &lines)
{
    std::vector<std::string> paths;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string path;
        int n = LineNumber(lines[i], &path);
        EXPECT_EQ(static_cast<int>(i + 1), n) << "line " << i << ": " << lines[i];
        if (n != static_cast<int>(i + 1))
            break;
        paths.push_back(path);
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

// A tree on D: whose search runs for a while: kTreeFolders folders of kTreeFilesPerFolder hits,
// each with kTreeEmptyFolders empty subfolders that cost the walker time but add no line. Kept
// between the tests that use it; any other test empties the drive.
const int kTreeFolders = 100, kTreeFilesPerFolder = 40, kTreeEmptyFolders = 20;
const int kTreeFiles = kTreeFolders * kTreeFilesPerFolder;

inline void EnsureTree()
{
    if (FileExists("D:\\tree\\ready.txt"))
        return;
    ResetFixtureDrives();
    for (int f = 0; f < kTreeFolders; ++f) {
        std::string folder = "D:\\tree\\f" + std::to_string(f);
        for (int i = 0; i < kTreeFilesPerFolder; ++i)
            MakeFile(folder + "\\g" + std::to_string(i) + ".jpg");
        for (int e = 0; e < kTreeEmptyFolders; ++e)
            CreateDirectoryA((folder + "\\e" + std::to_string(e)).c_str(), NULL);
    }
    MakeFile("D:\\tree\\ready.txt");
}

// Searches D: alone on the tree, E: emptied.
class TreeSearchTest : public SorvaneTest {
protected:
    void SetUp() override
    {
        EnsureTree();
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

inline std::string RecorderDir() { return "C:\\sorvane"; }
inline std::string RecorderLog() { return RecorderDir() + "\\recorder.log"; }

inline bool SetClassValue(const std::string &key, const std::string &value)
{
    return RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), NULL, REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

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
    std::string src = self;
    src = src.substr(0, src.find_last_of('\\') + 1) + "recorder.exe";
    size_t unix = src.find("unix\\");
    if (unix != std::string::npos && src.compare(0, 4, "\\\\?\\") != 0)
        src = "\\\\?\\" + src.substr(unix);
    CreateDirectoryA(RecorderDir().c_str(), NULL);
    std::string exe = RecorderDir() + "\\recorder.exe";
    if (!CopyFileA(src.c_str(), exe.c_str(), FALSE))
        return false;
    DeleteFileA(RecorderLog().c_str());
    return SetClassValue(".jpg", "SorvaneRecorder") &&
           SetClassValue("SorvaneRecorder\\shell\\open\\command", "\"" + exe + "\" open \"%1\"") &&
           SetClassValue("SorvaneRecorder\\shell\\properties\\command", "\"" + exe + "\" properties \"%1\"");
}

inline void UninstallRecorder()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "SorvaneRecorder");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".jpg");
    DeleteFileA(RecorderLog().c_str());
}

// The lines the recorder logged so far, each ended by CR LF.
inline std::vector<std::string> RecordedLines()
{
    std::vector<std::string> lines;
    std::string all = ReadFileBytes(RecorderLog());
    for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    return lines;
}

#endif
