// End-to-end harness: drives the real Sorvane.exe from a test program in the same Wine, as a
// user would: finds its windows, reads controls, presses buttons, keys and menus, answers
// message boxes and file dialogs. Fixture drives: D:\ (fixed) and E:\ (removable), both empty
// folders that the tests fill; C:\ is the prefix's own.
#ifndef SORVANE_E2E_HARNESS_H
#define SORVANE_E2E_HARNESS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

// Waits until pred is true, polling every 10 ms; false on time-out.
bool WaitUntil(const std::function<bool()> &pred, int timeoutMs = 5000);
// Waits until windows() lists one and returns the first; NULL on time-out.
HWND WaitForFirst(const std::function<std::vector<HWND>()> &windows, int timeoutMs = 5000);
// Waits until the window is destroyed or hidden (a closed box may stay a window for a while).
bool WaitGone(HWND window, int timeoutMs = 5000);
// Sends the message and returns once the window's thread has handled it; false on time-out (the
// thread hangs, or the message started a modal loop). A sent message overtakes what was posted
// before it: input whose effect the next step relies on is sent, or its effect waited for.
bool SendNow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, int timeoutMs = 5000);

// --- The program ---
struct Running {
    PROCESS_INFORMATION pi;
    HWND main;   // the main window
};
Running LaunchSorvane();                  // starts the program and waits for its main window
void EndSorvane(Running &app);            // ends it (and whatever dialog it shows) for sure
bool ProcessEnded(const Running &app, int timeoutMs = 5000);

// --- Windows and controls ---
std::vector<HWND> ChildWindows(HWND parent);           // direct children, in Z (creation) order
HWND ChildById(HWND parent, int id, int nth = 0);      // nth direct child with that ID
// Visible top-level windows of the process (the main one too), of this class unless NULL.
std::vector<HWND> TopLevelOf(const Running &app, const char *cls = nullptr);
std::string WindowTextOf(HWND window);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);            // as a click would leave it, without WM_COMMAND
// The topmost-level window of the process with this class ("#32770" for dialogs and message
// boxes) other than the main window, waited for; NULL on time-out.
HWND WaitForWindow(const Running &app, const char *cls, const char *title = nullptr, int timeoutMs = 5000);
// A message box of the process: its text (static 65535) and caption.
HWND WaitForMessageBox(const Running &app, int timeoutMs = 5000);
std::string MessageBoxText(HWND box);
// A message box of the process whose text contains the words; NULL on time-out.
HWND WaitForBoxSaying(const Running &app, const std::string &words, int timeoutMs = 10000);
// Expects a box saying exactly text, captioned "Sorvane 1.0" (and owned by owner unless NULL),
// answers it with the button and waits until it is gone.
void AnswerBox(const Running &app, const std::string &text, int button = IDOK, HWND owner = NULL);
void Answer(HWND dialog, int buttonId);                 // presses IDOK, IDYES, IDNO ... (posted)
// No message box or dialog of the process shows within the time.
bool NoDialogFor(const Running &app, int ms);

// --- Input ---
void Click(HWND button);                                // BM_CLICK, posted
void PostCommand(HWND window, int id, int notification = 0);
// Opens the menu bar's menu by its mnemonic letter and picks the item by its letter.
void PickMenu(const Running &app, char menuLetter, char itemLetter);
// Opens the result list's context menu (WM_CONTEXTMENU at the list's top-left corner) and
// returns the popup's window; PickPopupItem types the item's mnemonic or moves by arrow keys.
HWND OpenContextMenu(const Running &app);
void SendKey(HWND window, WORD vk);                      // WM_KEYDOWN + WM_KEYUP, posted

// --- The result list ---
HWND ResultList(const Running &app);                    // NULL before the first search
std::vector<std::string> ListLines(HWND list);          // wide LB_GETTEXT, turned into ANSI
void SelectLine(const Running &app, int index);          // as a click: LB_SETCURSEL + LBN_SELCHANGE
// Ticks exactly the named drive boxes ("D:", "E:"); the others are unticked.
void TickDrives(const Running &app, const std::set<std::string> &drives);
// Clicks Start and waits for "Search Completed!"; returns the box's text and closes it.
std::string RunSearchToEnd(const Running &app, int timeoutMs = 60000);

// --- Common file dialogs ---
// Types the name into the Save/Open dialog's file-name box and presses Save/Open.
void FillFileDialog(HWND dialog, const std::string &name);

// --- Fixtures (paths in Windows form, e.g. "D:\\music\\a.mp3") ---
void ClearFolder(const std::string &folder);             // removes everything inside it
void MakeFile(const std::string &path, uint64_t size = 0, char fill = 'x');  // parents too; sparse when large
std::string ReadFileBytes(const std::string &path);
void WriteFileBytes(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);
void ResetFixtureDrives();                               // empties the D: and E: drives

// The screen's pixels in the rectangle (screen coordinates), row by row from the top, as
// 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT &r);

// Launches the program for a test and ends it afterwards, whatever happened.
class SorvaneTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    Running app{};
};

#endif
