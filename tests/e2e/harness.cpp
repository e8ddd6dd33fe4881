#include "harness.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

bool WaitUntil(const std::function<bool()> &pred, int timeoutMs)
{
    for (DWORD start = GetTickCount(); !pred(); Sleep(10))
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs)
            return false;
    return true;
}

// --- The program and its windows ---

Running LaunchSorvane()
{
    Running app{};
    const char *exe = std::getenv("SORVANE_EXE");
    std::string line = std::string("\"") + (exe ? exe : "C:\\sorvane\\Sorvane.exe") + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &app.pi)) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        return app;
    }
    app.main = WaitForWindow(app, "Sorvane", nullptr, 15000);
    EXPECT_TRUE(app.main != NULL) << "the main window did not show";
    return app;
}

bool ProcessEnded(const Running &app, int timeoutMs)
{
    return app.pi.hProcess && WaitForSingleObject(app.pi.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void EndSorvane(Running &app)
{
    if (!app.pi.hProcess)
        return;
    if (!ProcessEnded(app, 0))
        TerminateProcess(app.pi.hProcess, 1);
    WaitForSingleObject(app.pi.hProcess, 10000);
    CloseHandle(app.pi.hProcess);
    CloseHandle(app.pi.hThread);
    app = Running{};
}

std::vector<HWND> TopLevelOf(const Running &app, const char *cls)
{
    std::vector<HWND> found;
    for (HWND w = NULL; (w = FindWindowExA(NULL, w, cls, NULL)) != NULL;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == app.pi.dwProcessId && w != app.main && IsWindowVisible(w))
            found.push_back(w);
    }
    return found;
}

static HWND WaitForWindowWhere(const Running &app, const char *cls, const std::function<bool(HWND)> &match, int timeoutMs)
{
    HWND found = NULL;
    WaitUntil([&] {
        for (HWND w : TopLevelOf(app, cls))
            if (match(w))
                return (found = w) != NULL;
        return false;
    }, timeoutMs);
    return found;
}

HWND WaitForWindow(const Running &app, const char *cls, const char *title, int timeoutMs)
{
    return WaitForWindowWhere(app, cls, [&](HWND w) { return !title || WindowTextOf(w) == title; }, timeoutMs);
}

HWND ChildById(HWND parent, int id, int nth)
{
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetDlgCtrlID(w) == id && nth-- == 0)
            return w;
    return NULL;
}

static std::string Ansi(const wchar_t *wide)
{
    char text[8192] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

std::wstring Wide(const std::string &ansi)
{
    wchar_t wide[4096] = L"";
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 4096);
    return wide;
}

std::string WindowTextOf(HWND window)
{
    wchar_t wide[4096] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, NULL);
    return Ansi(wide);
}

// --- Message boxes ---

// Wine creates a box's controls before it fills them: a box counts once its text is set, so a
// box that goes meanwhile is not read as empty.
HWND WaitForBox(const Running &app, const std::string &words, int timeoutMs)
{
    return WaitForWindowWhere(app, "#32770", [&](HWND w) {
        std::string text = MessageBoxText(w);
        return GetDlgItem(w, 0xFFFF) && !text.empty() && text.find(words) != std::string::npos;
    }, timeoutMs);
}

void AnswerBox(const Running &app, const std::string &text, int button, HWND owner, const char *caption, int timeoutMs)
{
    HWND box = WaitForBox(app, text, timeoutMs);
    ASSERT_TRUE(box != NULL) << "no message box: " << text;
    EXPECT_EQ(text, MessageBoxText(box));
    EXPECT_EQ(caption, WindowTextOf(box));
    EXPECT_TRUE(!owner || owner == GetWindow(box, GW_OWNER)) << text;
    Answer(box, button);
    ASSERT_TRUE(WaitGone(box)) << "the box stayed: " << text;
}

// --- Input ---

void SendKey(HWND window, WORD vk)
{
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
}

static HWND WaitForPopupMenu(const Running &app)   // the newest, a submenu once one opens
{
    HWND popup = NULL;
    WaitUntil([&] {
        std::vector<HWND> menus = TopLevelOf(app, "#32768");
        return (popup = menus.empty() ? NULL : menus.back()) != NULL;
    });
    return popup;
}

void PickMenu(const Running &app, char menuLetter, char itemLetter)
{
    PostMessageA(app.main, WM_SYSCOMMAND, SC_KEYMENU, menuLetter);
    HWND popup = WaitForPopupMenu(app);
    ASSERT_TRUE(popup != NULL) << "the menu did not open";
    PostMessageA(popup, WM_CHAR, static_cast<WPARAM>(itemLetter), 0);
}

HWND OpenContextMenu(const Running &app)
{
    RECT r;
    GetWindowRect(ResultList(app), &r);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ResultList(app)), MAKELPARAM(r.left + 10, r.top + 10));
    return WaitForPopupMenu(app);
}

void FillFileDialog(HWND dialog, const std::string &name)
{
    // The name box, control 1148, is an edit or a combo box that hands the text to its own edit.
    HWND box = GetDlgItem(dialog, 1148);
    ASSERT_TRUE(box != NULL) << "no name box";
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The path goes into the program's memory, where the browser reads it.
void AnswerFolderBrowser(const Running &app, HWND browser, const wchar_t *folder)
{
    if (folder) {
        void *remote = VirtualAllocEx(app.pi.hProcess, NULL, MAX_PATH * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_TRUE(remote && WriteProcessMemory(app.pi.hProcess, remote, folder, (wcslen(folder) + 1) * sizeof(wchar_t), NULL));
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
    }
    Answer(browser, folder ? IDOK : IDCANCEL);
    ASSERT_TRUE(WaitGone(browser));
}

// --- The main window and its result list ---

std::vector<std::string> AllLines(const Running &app)
{
    std::vector<std::string> lines;
    for (int i = 0, count = LineCount(app); i < count; ++i) {
        wchar_t wide[1024] = L"";   // a line holds a path and its number
        if (SendMessageW(ResultList(app), LB_GETTEXTLEN, i, 0) < 1024)
            SendMessageW(ResultList(app), LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        lines.push_back(Ansi(wide));
    }
    return lines;
}

void SelectLine(const Running &app, int index)
{
    SendMessageA(ResultList(app), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(116, LBN_SELCHANGE), reinterpret_cast<LPARAM>(ResultList(app)));
}

void TickDrives(const Running &app, const std::set<std::string> &drives)
{
    for (int i = 0; HWND box = ChildById(app.main, 113, i); ++i)
        SetChecked(box, drives.count(WindowTextOf(box)) > 0);
}

std::vector<std::string> SearchDriveD(const Running &app)
{
    TickDrives(app, {"D:"});
    Click(StartButton(app));
    ExpectCompletionBox(app, 60000);
    return AllLines(app);
}

int LineNumber(const std::string &line)
{
    int n = -1, used = 0;
    std::sscanf(line.c_str(), "(%d) %n", &n, &used);
    return used ? n : -1;
}

std::vector<std::string> PathsNumberedInOrder(const std::vector<std::string> &lines)
{
    std::vector<std::string> paths;
    for (const std::string &line : lines) {
        if (LineNumber(line) != static_cast<int>(paths.size() + 1)) {
            ADD_FAILURE() << "line " << paths.size() << ": " << line;
            break;
        }
        paths.push_back(line.substr(line.find(' ') + 1));
    }
    return paths;
}

// --- Sending ---

HWND WaitForProgressWindow(const Running &app, int timeoutMs)
{
    return WaitForWindowWhere(app, "#32770", [](HWND w) { return GetDlgItem(w, kProgressCancel) != NULL; }, timeoutMs);
}

// As the keyboard would: Send To is the context menu's fifth entry, Send All To the sixth.
void PickSendItem(const Running &app, bool all)
{
    HWND popup = OpenContextMenu(app);
    if (!popup)  // right after a search the first request may go unanswered under load
        popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL) << "no context menu";
    for (int i = 0; i < (all ? 6 : 5); ++i)
        SendKey(popup, VK_DOWN);
    SendKey(popup, VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").size() >= 2; })) << "no submenu";
    PostMessageA(popup, WM_CHAR, '\r', 0);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").empty(); })) << "the menu stayed open";
}

std::set<DWORD> Throttle::ThreadsOf(DWORD pid)
{
    std::set<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 te = {};
    te.dwSize = sizeof te;
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
        if (te.th32OwnerProcessID == pid)
            ids.insert(te.th32ThreadID);
    CloseHandle(snap);
    return ids;
}

DWORD WINAPI Throttle::Run(LPVOID p)
{
    Throttle *t = static_cast<Throttle *>(p);
    std::map<DWORD, HANDLE> known;
    while (!t->stop.load()) {
        // The known threads stop at once; the look for new ones, slow under Wine, follows while
        // they stand still, so that a slice runs for about runMs.
        for (const auto &k : known)
            SuspendThread(k.second);
        for (DWORD id : ThreadsOf(t->pid))
            if (!t->before.count(id) && !known.count(id))
                if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id)) {
                    known[id] = h;
                    SuspendThread(h);
                }
        if (known.empty()) {  // nothing of the program's to hold yet: look again at once
            Sleep(1);
            continue;
        }
        ++t->pauses;
        WaitForSingleObject(t->wake, static_cast<DWORD>(t->pauseMs.load()));
        for (const auto &k : known)
            ResumeThread(k.second);
        Sleep(static_cast<DWORD>(t->runMs.load()));
    }
    for (const auto &k : known)
        CloseHandle(k.second);
    return 0;
}

bool Throttle::Hold(DWORD ms)
{
    pauseMs.store(static_cast<int>(ms));
    int seen = pauses.load();
    return WaitUntil([&] { return pauses.load() > seen; }, 10000);
}

void Throttle::End()
{
    stop.store(true);
    SetEvent(wake);
    WaitForSingleObject(thread, 10000);  // at once when none runs
    CloseHandle(thread);
    thread = NULL;
}

// --- Files ---

// By the wide names, so that names the ANSI code page cannot hold go too.
void ClearFolder(const std::wstring &folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &fd)) {
        std::wstring name = fd.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..")
            continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ClearFolder(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    }
    FindClose(find);
}

static HANDLE CreateWithParents(const std::string &path)
{
    for (const char *p = path.c_str() + std::min<size_t>(3, path.size()); *p; p = CharNextA(p))
        if (*p == '\\')
            CreateDirectoryA(std::string(path.c_str(), p).c_str(), NULL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    EXPECT_NE(INVALID_HANDLE_VALUE, file) << "cannot create " << path;
    return file;
}

void MakeFile(const std::string &path, uint64_t size)
{
    HANDLE file = CreateWithParents(path);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(file, end, NULL, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

void WriteFileBytes(const std::string &path, const std::string &bytes)
{
    EXPECT_TRUE((std::ofstream(path, std::ios::binary) << bytes).good()) << "cannot write " << path;
}

std::string ReadFileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesIn(const std::string &folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &fd))
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(fd.cFileName);
    FindClose(find);
    return names;
}

std::string ClientHoldingItsControls(HWND dialog)
{
    RECT client, r;
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom) << GetDlgCtrlID(child);
    }
    return std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

// The screen is read through GDI rather than from the X server: under Xvfb with no window
// manager, Wine leaves owned popups unflushed on the X side even though they are painted.
std::vector<uint32_t> ScreenPixels(const RECT &r)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = GetDC(NULL), mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};   // top-down
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
    SelectObject(mem, old);
    std::vector<uint32_t> pixels(static_cast<const uint32_t *>(bits), static_cast<const uint32_t *>(bits) + w * h);
    for (uint32_t &p : pixels)
        p &= 0xFFFFFF;
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return pixels;
}

// --- Fixtures ---

void SorvaneTest::SetUp()
{
    if (!keepD)
        ClearFolder(L"D:");
    ClearFolder(L"E:");
    app = LaunchSorvane();
    ASSERT_TRUE(app.main != NULL);
}

void SorvaneTest::TearDown()
{
    EndSorvane(app);
}

void TreeSearchTest::SetUp()
{
    if (!FileExists("D:\\tree\\ready.txt")) {
        ClearFolder(L"D:");
        for (int f = 0; f < kTreeFiles; ++f)
            MakeFile("D:\\tree\\f" + std::to_string(f / 40) + "\\g" + std::to_string(f % 40) + ".jpg");
        for (int e = 0; e < 100 * 20; ++e)
            CreateDirectoryA(("D:\\tree\\f" + std::to_string(e / 20) + "\\e" + std::to_string(e % 20)).c_str(), NULL);
        MakeFile("D:\\tree\\ready.txt");
    }
    keepD = true;
    SorvaneTest::SetUp();
    TickDrives(app, {"D:"});
}
