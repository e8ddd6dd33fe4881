// Takes the README's pictures of the real program under Wine: the main window after a search,
// the context menu with its send submenus, the advanced settings dialog and the progress window
// during a send. Run by tools/screenshots.sh, which names the output folder (SORVANE_SHOTS).
#include "../../tests/e2e/harness.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

BOOL CALLBACK UniteVisible(HWND window, LPARAM param)
{
    std::pair<DWORD, RECT> *q = reinterpret_cast<std::pair<DWORD, RECT> *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r;
    if (pid == q->first && IsWindowVisible(window) && GetWindowRect(window, &r))
        UnionRect(&q->second, &q->second, &r);
    return TRUE;
}

// Writes a screen rectangle as a 24-bit BMP file.
bool SaveScreenBmp(const RECT &r, const char *path)
{
    std::vector<uint32_t> pixels = ScreenPixels(r);
    if (pixels.empty())
        return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
    std::vector<unsigned char> rows(size);
    for (int y = 0; y < h; ++y)  // bottom-up, blue first
        for (int x = 0; x < w; ++x) {
            uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            unsigned char *out = &rows[(h - 1 - y) * stride + x * 3];
            out[0] = p & 0xFF;
            out[1] = (p >> 8) & 0xFF;
            out[2] = (p >> 16) & 0xFF;
        }
    BITMAPINFOHEADER bh = {};
    bh.biSize = sizeof bh;
    bh.biWidth = w;
    bh.biHeight = h;
    bh.biPlanes = 1;
    bh.biBitCount = 24;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bh;
    fh.bfSize = fh.bfOffBits + size;
    bool ok = false;
    if (FILE *f = std::fopen(path, "wb")) {
        ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bh, sizeof bh, 1, f) == 1 &&
             std::fwrite(rows.data(), 1, size, f) == size;
        std::fclose(f);
    }
    return ok;
}

bool TakeScreenshot(const std::string &pngName)
{
    const char *dir = std::getenv("SORVANE_SHOTS");   // a Unix folder; no screenshots without it
    const char *prefix = std::getenv("WINEPREFIX");
    if (!dir || !*dir || !prefix)
        return false;
    std::pair<DWORD, RECT> q{0, {0, 0, 0, 0}};
    // The program's windows: the main one and whatever it shows over it.
    HWND main = FindWindowA("Sorvane", NULL);
    GetWindowThreadProcessId(main, &q.first);
    EnumWindows(UniteVisible, reinterpret_cast<LPARAM>(&q));
    CreateDirectoryA("C:\\sorvane", NULL);
    std::string bmp = "shot-" + pngName + ".bmp";
    if (!SaveScreenBmp(q.second, ("C:\\sorvane\\" + bmp).c_str()))
        return false;
    // The converter removes the bitmap when it is done: a Unix process started from Wine cannot
    // be waited for through its handle.
    char cmd[2048];
    std::snprintf(cmd, sizeof cmd,
                  "sh -c \"cd '%s/drive_c/sorvane' && convert '%s' -strip -colors 256 PNG8:'%s/%s'; rm -f '%s'\"",
                  prefix, bmp.c_str(), dir, pngName.c_str(), bmp.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA("\\\\?\\unix\\bin\\sh", cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return WaitUntil([&] { return !FileExists("C:\\sorvane\\" + bmp); }, 30000);
}

int g_failures = 0;

void Check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "screenshots: %s\n", what);
        ++g_failures;
    }
}

void MakeMediaTree()
{
    ClearFolder(L"D:");
    ClearFolder(L"E:");
    const char *files[] = {
        "D:\\Media\\Holiday 2026\\beach.jpg", "D:\\Media\\Holiday 2026\\harbour.png",
        "D:\\Media\\Holiday 2026\\sunset.jpg", "D:\\Media\\Music\\Album\\01 Overture.mp3",
        "D:\\Media\\Music\\Album\\02 Waltz.mp3", "D:\\Media\\Music\\interview.wav",
        "D:\\Media\\Video\\birthday.mp4", "D:\\Media\\Video\\garden.avi", "D:\\Scans\\receipt.tif",
        "D:\\Scans\\letter.bmp",
    };
    for (const char *f : files)
        MakeFile(f, 300000);
    MakeFile("D:\\Media\\Video\\concert.mkv", 3ull << 30);   // sparse: quick to make, slow to copy
}

// Gives the program time to paint what it shows; Xvfb leaves unpainted windows black.
void Settle(const Running &app)
{
    Sleep(700);
    RedrawWindow(app.main, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(800);
}

// Counts the open menus of the program and has each one painted.
int MenuCount(const Running &app)
{
    int n = 0;
    for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD pid = 0;
        char cls[16] = "";
        GetWindowThreadProcessId(w, &pid);
        GetClassNameA(w, cls, sizeof cls);
        if (pid == app.pi.dwProcessId && IsWindowVisible(w) && std::string(cls) == "#32768") {
            RedrawWindow(w, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            ++n;
        }
    }
    return n;
}

void ShowSearch(Running &app)
{
    SetChecked(ChildById(app.main, 113, 0), false);  // not C:
    SetChecked(ChildById(app.main, 113, 2), false);  // not E:
    Click(StartButton(app));
    Check(WaitForBox(app, "Search Completed!", 60000) != NULL, "the search did not complete");
    Answer(WaitForBox(app, "Search Completed!"), IDOK);
    SelectLine(app, 2);
    Settle(app);
    Check(TakeScreenshot("main-window.png"), "main window");
}

void ShowContextMenu(Running &app)
{
    HWND popup = OpenContextMenu(app);
    Check(popup != NULL, "no context menu");
    for (int i = 0; i < 5; ++i)
        SendKey(popup, VK_DOWN);
    SendKey(popup, VK_RIGHT);
    Check(WaitUntil([&] { return MenuCount(app) >= 2; }), "the send submenu did not open");
    Sleep(800);
    Check(TakeScreenshot("context-menu.png"), "context menu");
    Check(MenuCount(app) >= 2, "the menu closed before its picture");
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);
    Sleep(300);
}

void ShowAdvancedDialog(Running &app)
{
    Click(ChildById(app.main, 126));
    HWND dialog = WaitForWindow(app, "#32770", "Advances Search Settings");
    Check(dialog != NULL, "no advanced dialog");
    Sleep(1500);
    Check(TakeScreenshot("advanced-settings.png"), "advanced dialog");
    if (dialog)
        Answer(dialog, 152);
    WaitUntil([&] { return !IsWindow(dialog); });
}

// Sends the large video to E: and pictures the progress window once the copy is under way.
void ShowProgress(Running &app)
{
    std::vector<std::string> lines = AllLines(app);
    int big = -1;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("concert.mkv") != std::string::npos)
            big = static_cast<int>(i);
    Check(big >= 0, "the large file is not listed");
    SelectLine(app, big);
    PostCommand(app.main, 200);  // Send To, first removable drive (E:)
    HWND progress = WaitForWindow(app, "#32770", "Sorvane 1.0");
    Check(progress != NULL, "no progress window");
    WaitUntil([&] { return WindowTextOf(GetDlgItem(progress, 502)) != "" && WindowTextOf(GetDlgItem(progress, 502)) != "0%"; },
              20000);
    Sleep(2600);   // long enough for a first speed reading
    Check(TakeScreenshot("progress-window.png"), "progress window");
    Click(GetDlgItem(progress, 503));
    HWND box = WaitForBox(app, "", 20000);
    if (box)
        Answer(box, IDOK);
    WaitUntil([&] { return !IsWindow(progress); }, 10000);
}

}  // namespace

int main()
{
    MakeMediaTree();
    Running app = LaunchSorvane();
    if (!app.main)
        return 1;
    ShowSearch(app);
    ShowContextMenu(app);
    ShowAdvancedDialog(app);
    ShowProgress(app);
    EndSorvane(app);
    ClearFolder(L"D:");
    ClearFolder(L"E:");
    std::printf("screenshots: %s\n", g_failures ? "some failed" : "all taken");
    return g_failures ? 1 : 0;
}
