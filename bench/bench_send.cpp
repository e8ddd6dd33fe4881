// Send and export benchmarks, driving the real Sorvane.exe in the same Wine.
//  1. Send All To E: of 200 files totalling 1 GiB, from the first file's start to the last file's
//     end, against a bare ReadFile/WriteFile copy of the same files. Printed as a throughput ratio
//     (goal: at least 0.9).
//  2. Export of a list of 20,000 lines, against its floor: one cross-thread LB_GETTEXT round trip
//     per line, measured here on a list box of the same lines. Printed as a time ratio (goal: at
//     most 1.1).
// Each side runs seven times, alternating. Medians and bests are both printed: on a machine shared
// with other work the best of each side is the steadier figure.
#include "bench_program.h"

#include <algorithm>
#include <vector>

const char g_benchName[] = "bench_send";
static const int kFiles = 200;
static const unsigned long long kTotalBytes = 1ull << 30;
static const int kLines = 20000;
static const int kRounds = 7;

static double Now()
{
    static LARGE_INTEGER freq;
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

static double Best(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

// --- 1. Send All To ---

static std::string FileName(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "D:\\bench\\clip%03d.mp4", i);
    return name;
}

static unsigned long long FileBytes(int i)
{
    unsigned long long each = kTotalBytes / kFiles;
    return i == kFiles - 1 ? kTotalBytes - each * (kFiles - 1) : each;
}

static void MakeSendFiles()
{
    CreateDirectoryA("D:\\bench", NULL);
    std::vector<char> block(1 << 20);
    unsigned x = 12345;
    for (char &c : block)
        c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);  // not zeros: no sparse shortcut
    for (int i = 0; i < kFiles; ++i) {
        HANDLE f = CreateFileA(FileName(i).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (f == INVALID_HANDLE_VALUE)
            Fail("cannot create the files to send");
        for (unsigned long long left = FileBytes(i); left > 0;) {
            DWORD n = static_cast<DWORD>(std::min<unsigned long long>(left, block.size()));
            DWORD put = 0;
            WriteFile(f, block.data(), n, &put, NULL);
            left -= n;
        }
        CloseHandle(f);
    }
}

// The floor: the same files read and written in 1 MiB pieces, nothing else.
static double BareCopy()
{
    CreateDirectoryA("E:\\bare", NULL);
    std::vector<char> buffer(1 << 20);
    double start = Now();
    for (int i = 0; i < kFiles; ++i) {
        std::string src = FileName(i);
        std::string dst = "E:\\bare" + src.substr(src.rfind('\\'));
        HANDLE in = CreateFileA(src.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        HANDLE out = CreateFileA(dst.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        DWORD got = 0, put = 0;
        while (ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, NULL) && got > 0)
            WriteFile(out, buffer.data(), got, &put, NULL);
        CloseHandle(in);
        CloseHandle(out);
    }
    double seconds = Now() - start;
    ClearFolder("E:\\bare");
    RemoveDirectoryA("E:\\bare");
    return seconds;
}

static int CountSent()
{
    int n = 0;
    for (int i = 0; i < kFiles; ++i) {
        std::string src = FileName(i);
        WIN32_FILE_ATTRIBUTE_DATA d;
        if (GetFileAttributesExA(("E:" + src.substr(src.rfind('\\'))).c_str(), GetFileExInfoStandard, &d) &&
            ((static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow) == FileBytes(i))
            ++n;
    }
    return n;
}

static std::string LineTarget(HWND list, int i)
{
    wchar_t wide[1040] = L"";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char line[1040] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, NULL, NULL);
    const char *slash = std::strrchr(line, '\\');
    return std::string("E:\\") + (slash ? slash + 1 : line);
}

// Send All To E: through the program, timed from the moment the first file's copy appears to the
// moment the last one is whole. (The window's own life adds the fixed 500 ms and, without a window
// manager, Wine's wait of up to 2 s for the window to be withdrawn.)
static double SendAllToE()
{
    HWND list = ResultList();
    std::string first = LineTarget(list, 0), last = LineTarget(list, kFiles - 1);
    unsigned long long lastBytes = 0;
    for (int i = 0; i < kFiles; ++i)
        if ("E:" + FileName(i).substr(FileName(i).rfind('\\')) == last)
            lastBytes = FileBytes(i);
    RECT r;
    GetWindowRect(list, &r);
    PostMessageA(g_app.main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(r.left + 10, r.top + 10));
    HWND menu = WaitForOfProgram("#32768", 0, "", 5000);
    if (!menu)
        Fail("no context menu");
    // Send All To, then its first item (E:, the one removable drive of the test prefix).
    for (int i = 0; i < 6; ++i)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageA(menu, WM_CHAR, '\r', 0);
    DWORD deadline = GetTickCount() + 60000;
    while (GetFileAttributesA(first.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() < deadline)
        Sleep(1);
    double start = Now();
    while (SizeOf(last) != lastBytes && GetTickCount() < deadline)
        Sleep(1);
    double seconds = Now() - start;
    HWND progress = WaitForOfProgram("#32770", 678, "", 1000);
    while (progress && IsWindow(progress))
        Sleep(10);
    if (CountSent() != kFiles)
        Fail("not every file arrived whole");
    ClearFolder("E:");
    return seconds;
}

// --- 2. Export ---

static void MakeListFiles()
{
    CreateDirectoryA("D:\\many", NULL);
    for (int i = 0; i < kLines; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "D:\\many\\photo %05d.jpg", i);
        HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        CloseHandle(f);
    }
}

// The export's file holds every line of the list and a line end each: the floor list has the
// same lines as the program's, in another order.
static unsigned long long ExportBytes(HWND floorList)
{
    unsigned long long bytes = 0;
    int count = static_cast<int>(SendMessageA(floorList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        bytes += static_cast<unsigned long long>(SendMessageA(floorList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 2;
    return bytes;
}

// From the file's creation, right before the first line is read, to the moment it holds every
// line (the report box that follows is not part of the export's work).
static double ExportOnce(unsigned long long expectedBytes)
{
    DeleteFileA("E:\\export.txt");
    PostMessageA(g_app.main, WM_COMMAND, 181, 0);
    SaveAs("Write a file name to export list to", "E:\\export.txt");
    DWORD deadline = GetTickCount() + 120000;
    while (GetFileAttributesA("E:\\export.txt") == INVALID_FILE_ATTRIBUTES && GetTickCount() < deadline)
        Sleep(1);
    double start = Now();
    while (SizeOf("E:\\export.txt") != expectedBytes && GetTickCount() < deadline)
        Sleep(1);
    double seconds = Now() - start;
    HWND box = WaitForOfProgram("#32770", 0xFFFF, "List has been successfully exported", 10000);
    if (!box)
        Fail("the export did not end");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([](void *w) { return !IsWindow(static_cast<HWND>(w)); }, box, 5000);
    return seconds;
}

// One LB_GETTEXT per line from a worker thread to a list box of this thread, which waits in
// GetMessage at the priority the program's window thread has after a search.
struct FloorRun {
    HWND list;
    DWORD waiter;
    double seconds;
};

static DWORD WINAPI ReadEveryLine(LPVOID p)
{
    FloorRun *run = static_cast<FloorRun *>(p);
    char line[1040];
    double start = Now();
    int count = static_cast<int>(SendMessageA(run->list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        SendMessageA(run->list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
    run->seconds = Now() - start;
    PostThreadMessageA(run->waiter, WM_APP, 0, 0);
    return 0;
}

static double FloorOnce(HWND list)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    FloorRun run = {list, GetCurrentThreadId(), 0};
    HANDLE t = CreateThread(NULL, 0, ReadEveryLine, &run, 0, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0 && !(msg.hwnd == NULL && msg.message == WM_APP))
        DispatchMessageA(&msg);
    WaitForSingleObject(t, INFINITE);
    CloseHandle(t);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    return run.seconds;
}

static HWND FloorList()
{
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                LBS_HASSTRINGS | LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT,
                                0, 0, 730, 370, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SendMessageA(list, LB_INITSTORAGE, kLines, 2600000);
    for (int i = 0; i < kLines; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "(%d) D:\\\\many\\photo %05d.jpg", i + 1, i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    return list;
}

static void BenchSend()
{
    std::printf("Preparing %d files, %llu MiB in all ...\n", kFiles, kTotalBytes >> 20);
    std::fflush(stdout);
    MakeSendFiles();
    SearchDrives("D:");
    if (SendMessageA(ResultList(), LB_GETCOUNT, 0, 0) != kFiles)
        Fail("the search did not list every file");
    std::vector<double> bare, sent;
    for (int round = 0; round < kRounds; ++round) {
        bare.push_back(BareCopy());
        sent.push_back(SendAllToE());
    }
    std::printf("send all, %d files, %llu MiB (goal: throughput ratio >= 0.90)\n", kFiles, kTotalBytes >> 20);
    double mib = static_cast<double>(kTotalBytes >> 20);
    for (bool best : {false, true}) {
        double b = best ? Best(bare) : Median(bare), s = best ? Best(sent) : Median(sent);
        std::printf("  %-7s bare copy %.3f s (%.0f MiB/s)  Sorvane %.3f s (%.0f MiB/s)  ratio %.2f\n",
                    best ? "best:" : "median:", b, mib / b, s, mib / s, b / s);
    }
    std::fflush(stdout);
    ClearFolder("D:");
}

static void BenchExport()
{
    MakeListFiles();
    SearchDrives("D:");
    if (SendMessageA(ResultList(), LB_GETCOUNT, 0, 0) != kLines)
        Fail("the search did not list every line");
    HWND list = FloorList();
    unsigned long long bytes = ExportBytes(list);
    std::vector<double> exported, floor;
    for (int round = 0; round < kRounds; ++round) {
        floor.push_back(FloorOnce(list));
        exported.push_back(ExportOnce(bytes));
    }
    std::printf("export, %d lines (goal: time ratio <= 1.10 of one round trip per line)\n", kLines);
    std::printf("  median: floor %.3f s  Sorvane %.3f s  ratio %.2f\n", Median(floor), Median(exported),
                Median(exported) / Median(floor));
    std::printf("  best:   floor %.3f s  Sorvane %.3f s  ratio %.2f\n", Best(floor), Best(exported),
                Best(exported) / Best(floor));
    DestroyWindow(list);
}

int main()
{
    ClearFolder("D:");
    ClearFolder("E:");
    const char *exe = std::getenv("SORVANE_EXE");
    Launch(exe ? exe : "C:\\sorvane\\Sorvane.exe");
    BenchSend();
    BenchExport();
    TerminateProcess(g_app.pi.hProcess, 0);
    WaitForSingleObject(g_app.pi.hProcess, 10000);
    ClearFolder("D:");
    ClearFolder("E:");
    return 0;
}
