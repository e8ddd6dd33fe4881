#include "harness.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

bool WaitUntil(const std::function<bool()> &pred, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs)
            return false;
        Sleep(10);
    }
}

HWND WaitForFirst(const std::function<std::vector<HWND>()> &windows, int timeoutMs)
{
    HWND found = NULL;
    WaitUntil([&] {
        std::vector<HWND> w = windows();
        found = w.empty() ? NULL : w[0];
        return found != NULL;
    }, timeoutMs);
    return found;
}

bool WaitGone(HWND window, int timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool SendNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int timeoutMs)
{
    DWORD_PTR ignored;
    UINT ms = static_cast<UINT>(timeoutMs);
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, ms, &ignored) != 0;
}

// --- Windows of the process ---

struct TopLevelQuery {
    DWORD pid;
    const char *cls;
    const char *title;
    HWND exclude;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    TopLevelQuery *q = reinterpret_cast<TopLevelQuery *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != q->pid || window == q->exclude || !IsWindowVisible(window))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (q->cls && std::strcmp(cls, q->cls) != 0)
        return TRUE;
    if (q->title && WindowTextOf(window) != q->title)
        return TRUE;
    q->found.push_back(window);
    return TRUE;
}

static std::vector<HWND> TopLevelWindows(DWORD pid, const char *cls, const char *title, HWND exclude)
{
    TopLevelQuery q{pid, cls, title, exclude, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::vector<HWND> TopLevelOf(const Running &app, const char *cls)
{
    return TopLevelWindows(app.pi.dwProcessId, cls, nullptr, NULL);
}

Running LaunchSorvane()
{
    Running app{};
    const char *exe = std::getenv("SORVANE_EXE");
    std::string cmd = std::string("\"") + (exe ? exe : "C:\\sorvane\\Sorvane.exe") + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &app.pi)) {
        ADD_FAILURE() << "cannot start " << cmd << ": error " << GetLastError();
        return app;
    }
    WaitForInputIdle(app.pi.hProcess, 10000);
    app.main = WaitForFirst([&] { return TopLevelWindows(app.pi.dwProcessId, "Sorvane", nullptr, NULL); }, 15000);
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
    if (WaitForSingleObject(app.pi.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(app.pi.hProcess, 1);
        WaitForSingleObject(app.pi.hProcess, 10000);
    }
    CloseHandle(app.pi.hProcess);
    CloseHandle(app.pi.hThread);
    app = Running{};
}

// --- Controls ---

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> direct;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        direct.push_back(w);
    return direct;
}

HWND ChildById(HWND parent, int id, int nth)
{
    for (HWND w : ChildWindows(parent))
        if (GetDlgCtrlID(w) == id && nth-- == 0)
            return w;
    return NULL;
}

std::string WindowTextOf(HWND window)
{
    wchar_t wide[4096] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, NULL);
    char text[8192] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

bool IsChecked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked)
{
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND WaitForWindow(const Running &app, const char *cls, const char *title, int timeoutMs)
{
    return WaitForFirst([&] { return TopLevelWindows(app.pi.dwProcessId, cls, title, app.main); }, timeoutMs);
}

std::string MessageBoxText(HWND box)
{
    return box ? WindowTextOf(GetDlgItem(box, 0xFFFF)) : std::string("<no message box>");
}

// Message boxes of the process whose text passes the test.
static std::vector<HWND> MessageBoxes(const Running &app, const std::function<bool(const std::string &)> &text)
{
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows(app.pi.dwProcessId, "#32770", nullptr, app.main))
        if (GetDlgItem(w, 0xFFFF) && text(MessageBoxText(w)))
            found.push_back(w);
    return found;
}

static HWND WaitForBoxWhose(const Running &app, const std::function<bool(const std::string &)> &text, int timeoutMs)
{
    return WaitForFirst([&] { return MessageBoxes(app, text); }, timeoutMs);
}

HWND WaitForMessageBox(const Running &app, int timeoutMs)
{
    // A box is found once its text is set: Wine creates the box's controls before it fills them.
    return WaitForBoxWhose(app, [](const std::string &t) { return !t.empty(); }, timeoutMs);
}

HWND WaitForBoxSaying(const Running &app, const std::string &words, int timeoutMs)
{
    return WaitForBoxWhose(app, [&](const std::string &t) { return t.find(words) != std::string::npos; }, timeoutMs);
}

void AnswerBox(const Running &app, const std::string &text, int button, HWND owner)
{
    HWND box = WaitForBoxWhose(app, [&](const std::string &t) { return t == text; }, 10000);
    ASSERT_TRUE(box != NULL) << "no message box: " << text;
    EXPECT_EQ("Sorvane 1.0", WindowTextOf(box));
    if (owner) {
        EXPECT_EQ(owner, GetWindow(box, GW_OWNER)) << text;
    }
    Answer(box, button);
    ASSERT_TRUE(WaitGone(box)) << "the box stayed: " << text;
}

void Answer(HWND dialog, int buttonId)
{
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool NoDialogFor(const Running &app, int ms)
{
    return !WaitUntil([&] { return !TopLevelWindows(app.pi.dwProcessId, "#32770", nullptr, app.main).empty(); }, ms);
}

// --- Input ---

void Click(HWND button)
{
    PostMessageA(button, BM_CLICK, 0, 0);
}

void PostCommand(HWND window, int id, int notification)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, notification), 0);
}

static HWND WaitForPopupMenu(const Running &app)
{
    HWND popup = NULL;
    WaitUntil([&] {
        std::vector<HWND> w = TopLevelWindows(app.pi.dwProcessId, "#32768", nullptr, NULL);
        popup = w.empty() ? NULL : w.back();
        return popup != NULL;
    }, 5000);
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
    HWND list = ResultList(app);
    RECT r;
    GetWindowRect(list, &r);
    PostMessageA(app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(r.left + 10, r.top + 10));
    return WaitForPopupMenu(app);
}

void SendKey(HWND window, WORD vk)
{
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
}

// --- The result list ---

HWND ResultList(const Running &app)
{
    return ChildById(app.main, 116);
}

std::vector<std::string> ListLines(HWND list)
{
    std::vector<std::string> lines;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (len < 0)
            break;
        std::vector<wchar_t> wide(static_cast<size_t>(len) + 1);
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
        char text[4096] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text, sizeof text, NULL, NULL);
        lines.push_back(text);
    }
    return lines;
}

void SelectLine(const Running &app, int index)
{
    HWND list = ResultList(app);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(116, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void TickDrives(const Running &app, const std::set<std::string> &drives)
{
    for (int i = 0;; ++i) {
        HWND box = ChildById(app.main, 113, i);
        if (!box)
            break;
        SetChecked(box, drives.count(WindowTextOf(box)) > 0);
    }
}

std::string RunSearchToEnd(const Running &app, int timeoutMs)
{
    Click(ChildById(app.main, 115));
    HWND box = WaitForMessageBox(app, timeoutMs);
    std::string text = MessageBoxText(box);
    if (box) {
        Answer(box, IDOK);
        WaitGone(box);
    }
    return text;
}

// --- File dialogs ---

static HWND FindDescendant(HWND parent, const std::function<bool(HWND)> &match)
{
    for (HWND w : ChildWindows(parent)) {
        if (match(w))
            return w;
        if (HWND inner = FindDescendant(w, match))
            return inner;
    }
    return NULL;
}

static bool ClassIs(HWND w, const char *cls)
{
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return _stricmp(name, cls) == 0;
}

void FillFileDialog(HWND dialog, const std::string &name)
{
    HWND box = FindDescendant(dialog, [](HWND w) { return GetDlgCtrlID(w) == 1148; });
    ASSERT_TRUE(box != NULL) << "no file-name box";
    HWND edit = ClassIs(box, "Edit") ? box : FindDescendant(box, [](HWND w) { return ClassIs(w, "Edit"); });
    ASSERT_TRUE(edit != NULL) << "no file-name edit";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// --- Fixtures ---

// By the wide names, so that names the ANSI code page cannot hold go too.
static void ClearFolder(const std::wstring &folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ClearFolder(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
}

void ClearFolder(const std::string &folder)
{
    wchar_t wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH))
        ClearFolder(std::wstring(wide));
}

static void MakeParents(const std::string &path)
{
    for (const char *p = path.c_str() + std::min<size_t>(3, path.size()); *p; p = CharNextA(p))
        if (*p == '\\')
            CreateDirectoryA(std::string(path.c_str(), p).c_str(), NULL);
}

void WriteFileBytes(const std::string &path, const std::string &bytes)
{
    MakeParents(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot create " << path;
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
}

void MakeFile(const std::string &path, uint64_t size, char fill)
{
    if (size <= (1u << 20)) {
        WriteFileBytes(path, std::string(static_cast<size_t>(size), fill));
    } else {  // large files are sparse: only their length is set
        MakeParents(path);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot create " << path;
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        SetFilePointerEx(file, end, NULL, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
}

std::string ReadFileBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(file, buf, sizeof buf, &got, NULL) && got > 0)
        bytes.append(buf, got);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ResetFixtureDrives()
{
    ClearFolder("D:");
    ClearFolder("E:");
}

// --- Screen pixels ---

// The screen is read through GDI rather than from the X server: under Xvfb with no window
// manager, Wine leaves owned popups unflushed on the X side even though they are painted.
std::vector<uint32_t> ScreenPixels(const RECT &r)
{
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
    SelectObject(mem, old);
    const uint32_t *px = static_cast<const uint32_t *>(bits);
    std::vector<uint32_t> pixels(px, px + static_cast<size_t>(w) * static_cast<size_t>(h));
    for (uint32_t &p : pixels)
        p &= 0xFFFFFF;
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return pixels;
}

// --- Fixture class ---

void SorvaneTest::SetUp()
{
    ResetFixtureDrives();
    app = LaunchSorvane();
    ASSERT_TRUE(app.main != NULL);
}

void SorvaneTest::TearDown()
{
    EndSorvane(app);
}
