// End-to-end harness: drives the real Sorvane.exe from a test program in the same Wine, as a
// user would: finds its windows, reads controls, presses buttons, keys and menus, answers
// message boxes and file dialogs, and slows the program from outside. Fixture drives: D:\ (fixed)
// and E:\ (removable), both empty folders that the tests fill; C:\ is the prefix's own.
#ifndef SORVANE_E2E_HARNESS_H
#define SORVANE_E2E_HARNESS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

// Waits until pred is true, polling every 10 ms; false on time-out.
bool WaitUntil(const std::function<bool()> &pred, int timeoutMs = 5000);
// Waits until the window is destroyed or hidden (a closed box may stay a window for a while).
inline bool WaitGone(HWND w, int ms = 5000) { return WaitUntil([&] { return !IsWindow(w) || !IsWindowVisible(w); }, ms); }
// Sends the message and returns once the window's thread has handled it; false on time-out (the
// thread hangs, or the message started a modal loop). A sent message overtakes what was posted
// before it: input whose effect the next step relies on is sent, or its effect waited for.
inline bool SendNow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, int timeoutMs = 5000)
{
    DWORD_PTR ignored;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &ignored) != 0;
}

// --- The program and its windows ---
struct Running {
    PROCESS_INFORMATION pi;
    HWND main;   // the main window
};
Running LaunchSorvane();                  // starts the program and waits for its main window
void EndSorvane(Running &app);            // ends it (and whatever dialog it shows) for sure
bool ProcessEnded(const Running &app, int timeoutMs = 5000);
// Visible top-level windows of the process other than the main one, of this class unless NULL,
// in Z order; the first that matches, or has this title, waited for (NULL on time-out).
std::vector<HWND> TopLevelOf(const Running &app, const char *cls = nullptr);
HWND WaitForWindow(const Running &app, const char *cls, const char *title = nullptr, int timeoutMs = 5000);
HWND ChildById(HWND parent, int id, int nth = 0);      // nth direct child with that ID
std::string WindowTextOf(HWND window);
inline bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
// As a click would leave it, without WM_COMMAND.
inline void SetChecked(HWND button, bool on) { SendMessageA(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// --- Message boxes (text in static 65535) ---
// A box of the process whose text contains the words (any text once set when empty); NULL on time-out.
HWND WaitForBox(const Running &app, const std::string &words = "", int timeoutMs = 10000);
inline std::string MessageBoxText(HWND box) { return WindowTextOf(GetDlgItem(box, 0xFFFF)); }
// Expects a box saying exactly text, with the caption (and owned by owner unless NULL), answers it
// with the button and waits until it is gone.
void AnswerBox(const Running &app, const std::string &text, int button = IDOK, HWND owner = NULL,
               const char *caption = "Sorvane 1.0", int timeoutMs = 10000);
// Presses IDOK, IDYES, IDNO ... (posted).
inline void Answer(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
// No box or dialog shows within the time.
inline bool NoDialogFor(const Running &app, int ms) { return !WaitForWindow(app, "#32770", nullptr, ms); }

// --- Input (posted) ---
inline void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }
inline void PostCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }
void SendKey(HWND window, WORD vk);                      // WM_KEYDOWN + WM_KEYUP
// Opens the menu bar's menu by its mnemonic letter and picks the item by its letter.
void PickMenu(const Running &app, char menuLetter, char itemLetter);
// Opens the result list's context menu (at the list's top-left corner); returns the popup.
HWND OpenContextMenu(const Running &app);
// Types the name into the Save/Open dialog's file-name box and presses Save/Open.
void FillFileDialog(HWND dialog, const std::string &name);
// Selects the folder (it must exist) in the folder browser and presses OK; NULL: Cancel.
void AnswerFolderBrowser(const Running &app, HWND browser, const wchar_t *folder);

// --- The main window and its result list ---
inline HWND StartButton(const Running &app) { return ChildById(app.main, 115); }
inline HWND ResultList(const Running &app) { return ChildById(app.main, 116); }   // NULL before a search
inline int LineCount(const Running &app) { return static_cast<int>(SendMessageW(ResultList(app), LB_GETCOUNT, 0, 0)); }
std::vector<std::string> AllLines(const Running &app);   // wide LB_GETTEXT, turned into ANSI
void SelectLine(const Running &app, int index);          // as a click: LB_SETCURSEL + LBN_SELCHANGE
void TickDrives(const Running &app, const std::set<std::string> &drives);   // ("D:", "E:"), the rest unticked
// Waits for "Search Completed!" of a search started (a minute on a loaded machine over the long
// tree), checks the box and closes it.
inline void ExpectCompletionBox(const Running &app, int ms = 120000)
{
    AnswerBox(app, "Search Completed!", IDOK, NULL, "Sorvane 1.0", ms);
}
std::vector<std::string> SearchDriveD(const Running &app);   // searches D: alone; the lines
// Splits "(N) path"; N is -1 for a line without the prefix (a path starts with its drive).
int LineNumber(const std::string &line);
// The paths of lines numbered 1, 2, 3 ... in order, up to a failure naming the first that is not.
std::vector<std::string> PathsNumberedInOrder(const std::vector<std::string> &lines);

// --- Sending ---
enum { kProgressStatus = 501, kProgressPercent = 502, kProgressCancel = 503, kProgressSpeed = 504 };
HWND WaitForProgressWindow(const Running &app, int timeoutMs = 5000);
inline std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }
// Picks the first entry (the removable drive, or "Folder...") of "&Send To" or "&Send All To".
void PickSendItem(const Running &app, bool all);

// Slows the program from outside: the threads it started after Arm() are suspended for pauseMs
// and run for runMs in turn, until End(). No thread is held for long, so the program's own
// waits behave as on a slow drive.
struct Throttle {
    DWORD pid = 0;
    std::set<DWORD> before;  // the threads left alone
    std::atomic<bool> stop{false};
    std::atomic<int> runMs{10}, pauseMs{90}, pauses{0};  // pauses: the pauses begun
    HANDLE thread = NULL;
    HANDLE wake = CreateEventA(NULL, FALSE, FALSE, NULL);  // ends a pause early

    static std::set<DWORD> ThreadsOf(DWORD pid);
    static DWORD WINAPI Run(LPVOID throttle);
    void Arm(const Running &app) { pid = app.pi.dwProcessId; before = ThreadsOf(pid); }
    void Start() { thread = CreateThread(NULL, 0, Run, this, 0, NULL); }
    // Arms, starts, sends (all or the selection to E:) and returns the progress window, NULL if
    // none came: small files would otherwise be sent before the throttle has found the thread.
    HWND Send(const Running &app, bool all)
    {
        Arm(app);
        Start();
        PickSendItem(app, all);
        return WaitForProgressWindow(app);
    }
    // Holds the threads for ms at a time (INFINITE: until End or a wake) from the next pause on,
    // and returns once that pause has begun.
    bool Hold(DWORD ms = INFINITE);
    void End();
    ~Throttle() { End(); CloseHandle(wake); }
};

// --- Files (paths in Windows form, e.g. "D:\\music\\a.mp3"); parents are made ---
void ClearFolder(const std::wstring &folder);            // removes everything inside it, by wide names
void MakeFile(const std::string &path, uint64_t size = 0);   // zero-filled, sparse when large
void WriteFileBytes(const std::string &path, const std::string &bytes);
std::string ReadFileBytes(const std::string &path);
inline bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::set<std::string> FilesIn(const std::string &folder);   // names of the files directly in it
std::wstring Wide(const std::string &ansi);

// Checks that every control, shown or not, lies inside the dialog's client area; its size, "WxH".
std::string ClientHoldingItsControls(HWND dialog);
// The screen's pixels in the rectangle (screen coordinates), row by row, as 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT &r);

// Launches the program for a test, D: and E: emptied, and ends it afterwards, whatever happened.
class SorvaneTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    Running app{};
    bool keepD = false;   // the tree stays on D:
};

// A tree on D: whose search runs for a while: 100 folders of 40 hits, each with 20 empty
// subfolders that cost the walker time but add no line. Kept between the tests that use it, with
// D: alone ticked and E: emptied; any other test empties the drive.
const int kTreeFiles = 100 * 40;
class TreeSearchTest : public SorvaneTest {
protected:
    void SetUp() override;
};

#endif
