// Memory over long use, driving the real Sorvane.exe in the same Wine: how much committed memory
// (PagefileUsage, read from outside) one process gains over 50 exports of a 10-line list, 50
// searches of D: and E: (10 hits) and 50 openings of the advanced dialog, each series after two
// warm-up rounds of its own. Goals: exports < 1 MB in all, searches < 256 KB, openings flat.
// With SORVANE_BEFORE_EXE naming a second build of the program (an earlier one), that build runs
// the same series afterwards, in a process of its own, and is printed beside it.
#include "bench_program.h"

#include <psapi.h>
#include <tlhelp32.h>

const char g_benchName[] = "bench_memory";
static const int kHits = 10;
static const char kExportPath[] = "E:\\memory.txt";

static double CommittedKb()
{
    PROCESS_MEMORY_COUNTERS mem = {};
    mem.cb = sizeof mem;
    GetProcessMemoryInfo(g_app.pi.hProcess, &mem, sizeof mem);
    return static_cast<double>(mem.PagefileUsage) / 1024.0;
}

static int ThreadCount()
{
    int n = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 te = {};
    te.dwSize = sizeof te;
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
        if (te.th32OwnerProcessID == g_app.pi.dwProcessId)
            ++n;
    CloseHandle(snap);
    return n;
}

static void Search()
{
    SearchDrives("D: E:");
}

static void OpenAndCancelAdvancedDialog()
{
    PostMessageA(GetDlgItem(g_app.main, 126), BM_CLICK, 0, 0);
    HWND dialog = WaitForOfProgram("#32770", 152, "", 10000);
    if (!dialog)
        Fail("the advanced dialog did not open");
    PostMessageA(GetDlgItem(dialog, 152), BM_CLICK, 0, 0);
    if (!WaitFor([](void *w) { return !IsWindow(static_cast<HWND>(w)); }, dialog, 10000))
        Fail("the advanced dialog did not close");
}

static void Export()
{
    DeleteFileA(kExportPath);
    PostMessageA(g_app.main, WM_COMMAND, 181, 0);
    SaveAs("Write a file name to export list to", kExportPath);
    CloseBox("List has been successfully exported", 10000);
}

struct Series {
    const char *what;
    void (*round)();
    const char *goal;
};
// The first search leaves the list that the exports write.
static const Series kSeries[] = {
    {"exports of the 10-line list", Export, "< 1024 KB"},
    {"searches of D: and E: (10 hits)", Search, "< 256 KB"},
    {"advanced dialog openings", OpenAndCancelAdvancedDialog, "flat"},
};
enum { kSeriesCount = sizeof kSeries / sizeof kSeries[0] };

// Two warm-up rounds, then the growth in KB over `rounds` more. A round has ended once the
// threads it started have: the watcher and the export thread end, if at all, only after their
// box has closed. (A thread that stays for good, such as one serving every command, makes the
// first round wait the full time.)
static double Growth(void (*round)(), int rounds)
{
    double before = 0;
    for (int i = 0; i < rounds + 2; ++i) {
        if (i == 2)
            before = CommittedKb();
        int threads = ThreadCount();
        round();
        WaitFor([](void *n) { return ThreadCount() <= *static_cast<int *>(n); }, &threads, 3000, 10);
        Sleep(50);
    }
    return CommittedKb() - before;
}

// Runs every series in one process of the program; growth[i] for kSeries[i].
static void Measure(const char *exe, int rounds, double *growth)
{
    Launch(exe);
    Search();
    for (int i = 0; i < kSeriesCount; ++i)
        growth[i] = Growth(kSeries[i].round, rounds);
    TerminateProcess(g_app.pi.hProcess, 0);
    WaitForSingleObject(g_app.pi.hProcess, 10000);
    CloseHandle(g_app.pi.hProcess);
    CloseHandle(g_app.pi.hThread);
    g_app = Program{};
}

int main()
{
    const int rounds = 50;
    ClearFolder("D:");
    ClearFolder("E:");
    CreateDirectoryA("D:\\memory", NULL);
    for (int i = 0; i < kHits; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "D:\\memory\\clip%02d.%s", i, i % 2 ? "jpg" : "mp3");
        CloseHandle(CreateFileA(name, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
    const char *exe = std::getenv("SORVANE_EXE");
    const char *beforeExe = std::getenv("SORVANE_BEFORE_EXE");
    double growth[kSeriesCount] = {}, growthBefore[kSeriesCount] = {};
    Measure(exe ? exe : "C:\\sorvane\\Sorvane.exe", rounds, growth);
    if (beforeExe)
        Measure(beforeExe, rounds, growthBefore);

    std::printf("committed memory (PagefileUsage) gained over %d rounds, after 2 warm-up rounds\n", rounds);
    std::printf("  %-34s %12s%s\n", "", "Sorvane", beforeExe ? "       before" : "");
    for (int i = 0; i < kSeriesCount; ++i) {
        std::printf("  %-34s %9.0f KB", kSeries[i].what, growth[i]);
        if (beforeExe)
            std::printf(" %9.0f KB", growthBefore[i]);
        std::printf("   (goal %s)\n", kSeries[i].goal);
    }
    ClearFolder("D:");
    ClearFolder("E:");
    return 0;
}
