// Drives the real Sorvane.exe over the benchmark tree and prints its figures against the floors
// that bench_floor measured in the same run, each the best of several runs; the cost of a hit
// against its own floor, an append taken in the same round, as the median of the rounds; and
// against the same appends made within a bare walk of the tree, as the program makes them.
// Usage: bench_sorvane SORVANE_EXE DRIVE_TEXT walk_ms roundtrip_us folders media
//   (DRIVE_TEXT is the text of the one drive box to tick, e.g. "D:").
#include "bench_program.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <vector>

const char g_benchName[] = "bench_sorvane";

static double NowMs()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

static std::string TextOf(HWND w)
{
    wchar_t wide[1100] = L"";
    SendMessageW(w, WM_GETTEXT, 1100, reinterpret_cast<LPARAM>(wide));
    char text[2200] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

struct BoxQuery {
    DWORD pid;
    HWND box;
};

static BOOL CALLBACK FindBox(HWND w, LPARAM p)
{
    BoxQuery *q = reinterpret_cast<BoxQuery *>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == q->pid && IsWindowVisible(w) && std::strcmp(cls, "#32770") == 0) {
        q->box = w;
        return FALSE;
    }
    return TRUE;
}

// The completion box: a cheap look first, since polling must not load the system it measures.
static HWND VisibleBox()
{
    if (!FindWindowA("#32770", "Sorvane 1.0"))
        return NULL;
    BoxQuery q{g_app.pi.dwProcessId, NULL};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&q));
    return q.box;
}

// Closes the completion box and waits until it has left the screen.
static void CloseBox(HWND box)
{
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && IsWindowVisible(box))
        Sleep(20);
}

// WM_NULL answers while a search runs: the longest wait and how many took over 100 ms.
static std::atomic<bool> s_probing(false);
static double s_worstMs;
static int s_probes, s_slowProbes;

static DWORD WINAPI Probe(LPVOID)
{
    while (s_probing.load()) {
        double a = NowMs();
        DWORD_PTR ignored;
        SendMessageTimeoutA(g_app.main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        double ms = NowMs() - a;
        ++s_probes;
        if (ms > s_worstMs)
            s_worstMs = ms;
        if (ms > 100)
            ++s_slowProbes;
        Sleep(20);
    }
    return 0;
}

// One search from the Start click to the completion box; returns milliseconds and the line count.
static double Search(bool probe, int *lines)
{
    HWND start = GetDlgItem(g_app.main, 115);
    HANDLE prober = NULL;
    double a = NowMs();
    PostMessageA(start, BM_CLICK, 0, 0);
    if (probe) {
        // The probe begins once Start has returned: its own waits are not the window's fault.
        while (TextOf(start) != "Pause" && !VisibleBox())
            Sleep(1);
        s_probing = true;
        prober = CreateThread(NULL, 0, Probe, NULL, 0, NULL);
    }
    HWND box;
    while (!(box = VisibleBox()))
        Sleep(5);
    double ms = NowMs() - a;
    if (prober) {
        s_probing = false;
        WaitForSingleObject(prober, INFINITE);
        CloseHandle(prober);
    }
    CloseBox(box);
    *lines = static_cast<int>(SendMessageW(ResultList(), LB_GETCOUNT, 0, 0));
    return ms;
}

// The numbering pass: from the command until the last line has changed form.
static double NumberingPass(bool probe)
{
    HWND list = ResultList();
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    wchar_t before[1100], now[1100];
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(before));
    HANDLE prober = NULL;
    if (probe) {
        s_probing = true;
        prober = CreateThread(NULL, 0, Probe, NULL, 0, NULL);
    }
    double a = NowMs();
    PostMessageA(g_app.main, WM_COMMAND, 129, 0);
    do {
        Sleep(5);
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(now));
    } while (std::wcscmp(before, now) == 0);
    double ms = NowMs() - a;
    if (prober) {
        s_probing = false;
        WaitForSingleObject(prober, INFINITE);
        CloseHandle(prober);
    }
    return ms;
}

static void SetBoxes(const char *drive, bool media)
{
    for (HWND box = GetWindow(g_app.main, GW_CHILD); box; box = GetWindow(box, GW_HWNDNEXT)) {
        int id = GetDlgCtrlID(box);
        if (id == 113 || id == 114)
            SendMessageA(box, BM_SETCHECK, (id == 113 ? TextOf(box) == drive : media) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// --- The append floor: what a hit must cost at least ---
// One cross-thread LB_ADDSTRING of a numbered line into a list box made as the program makes its
// result list (styles, font, horizontal extent, storage, redraw off, a child of a shown window),
// from a worker while the list's thread waits in GetMessage.

enum { kAppends = 20000 };
static HWND s_floorList;
static char s_floorLines[kAppends][48];  // formatted before the clock starts
static double s_appendMs;

static DWORD WINAPI AppendLines(LPVOID listThread)
{
    double a = NowMs();
    for (int i = 0; i < kAppends; ++i)
        SendMessageA(s_floorList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s_floorLines[i]));
    s_appendMs = (NowMs() - a) / kAppends;
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(listThread)), WM_QUIT, 0, 0);
    return 0;
}

// The frame and list the appends go to, made afresh for each measurement.
static HWND MakeFloorList()
{
    static HFONT font = CreateFontA(17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Times new roman");
    HWND frame = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700, NULL, NULL, NULL, NULL);
    s_floorList = CreateWindowExA(0, "LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                      LBS_HASSTRINGS | LBS_USETABSTOPS | LBS_WANTKEYBOARDINPUT,
                                  160, 280, 730, 370, frame, NULL, NULL, NULL);
    SendMessageA(s_floorList, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SendMessageA(s_floorList, LB_SETHORIZONTALEXTENT, 1800, 0);
    UpdateWindow(frame);
    SendMessageA(s_floorList, LB_INITSTORAGE, 10000, 2600000);
    SendMessageA(s_floorList, WM_SETREDRAW, FALSE, 0);
    return frame;
}

static double AppendMs()
{
    HWND frame = MakeFloorList();
    ServeWhile(AppendLines);
    DestroyWindow(frame);
    return s_appendMs;
}

// --- The same appends within a bare walk ---
// The program appends each hit as its walk finds it, with the listing's work between two appends,
// which a run of appends alone does not have. A bare walk of the tree that appends the same lines
// at its hits, less the same walk without them, gives what an append costs there, with nothing of
// the program's own.

static const char *s_walkRoot;
static bool s_walkAppends;  // the walk appends at its hits
static int s_walkHits;
static double s_walkMs;

// The tree's media files are the first 40 of each folder, "file000" to "file039".
static void AppendAtHit(const char *name)
{
    bool hit = std::strncmp(name, "file", 4) == 0 && std::atoi(name + 4) < 40;
    if (hit && s_walkAppends && s_walkHits < kAppends)
        SendMessageA(s_floorList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s_floorLines[s_walkHits]));
    s_walkHits += hit;
}

static DWORD WINAPI WalkAppending(LPVOID listThread)
{
    s_walkHits = 0;
    double a = NowMs();
    WalkTree(s_walkRoot, AppendAtHit, [] {});
    s_walkMs = NowMs() - a;
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(listThread)), WM_QUIT, 0, 0);
    return 0;
}

// One walk of the tree, appending at its hits or not.
static double WalkMs(bool appends)
{
    s_walkAppends = appends;
    HWND frame = MakeFloorList();
    ServeWhile(WalkAppending);
    DestroyWindow(frame);
    return s_walkMs;
}

// The best of several runs, since other work on the machine only ever adds time; where two runs
// are subtracted, the median of the rounds and their spread.
static double Best(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }
static double Worst(const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); }
static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int main(int argc, char **argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: bench_sorvane SORVANE_EXE DRIVE walk_ms roundtrip_us folders media\n");
        return 2;
    }
    const double walkMs = std::atof(argv[3]), tripMs = std::atof(argv[4]) / 1000.0;
    const int folders = std::atoi(argv[5]), media = std::atoi(argv[6]);

    Launch(argv[1]);
    // Rounds of an append floor, a search without hits and one with them, so that a change in
    // the machine's load touches the three alike. These machines' pace alone moves a plain loop,
    // pinned to one CPU, by up to half from one second to the next, and a round's ratio by some
    // 15 %: fifteen rounds bring the median's own spread to a few percent.
    const int rounds = 15;
    int lines = 0, hitLines = 0;
    std::vector<double> appends, bares, hitRuns, perHit, ratios, walkAppends, walkRatios, walkShares;
    s_walkRoot = argv[2];
    for (int i = 0; i < kAppends; ++i)
        std::snprintf(s_floorLines[i], sizeof s_floorLines[i], "(%d) D:\\\\bench\\folder%03d\\file%03d.jpg", i + 1,
                      i / 40, i % 40);
    for (int i = 0; i < rounds; ++i) {
        appends.push_back(AppendMs());
        double walkBare = WalkMs(false);
        walkAppends.push_back((WalkMs(true) - walkBare) / std::max(s_walkHits, 1));
        SetBoxes(argv[2], false);
        bares.push_back(Search(false, &lines));
        SetBoxes(argv[2], true);
        hitRuns.push_back(Search(false, &hitLines));
        perHit.push_back((hitRuns.back() - bares.back()) / hitLines);
        ratios.push_back(perHit.back() / appends.back());
        walkShares.push_back(walkAppends.back() / appends.back());
        walkRatios.push_back(perHit.back() / walkAppends.back());
    }
    const double bare = Best(bares), hits = Best(hitRuns), appendMs = Median(appends);
    double unnumber = 1e18, renumber = 1e18;
    for (int i = 0; i < 2; ++i) {
        unnumber = std::min(unnumber, NumberingPass(false));
        renumber = std::min(renumber, NumberingPass(false));
    }
    Search(true, &lines);
    NumberingPass(true);

    PROCESS_MEMORY_COUNTERS mem = {};
    mem.cb = sizeof mem;
    GetProcessMemoryInfo(g_app.pi.hProcess, &mem, sizeof mem);
    TerminateProcess(g_app.pi.hProcess, 0);
    WaitForSingleObject(g_app.pi.hProcess, 5000);

    const double floorBare = walkMs + folders * tripMs + 200;
    const double floorHits = floorBare + media * appendMs;
    const double floorNumbers = 3.0 * hitLines * tripMs;
    std::printf("%-44s %10s %10s %7s\n", "", "measured", "floor", "ratio");
    std::printf("%-44s %8.0f ms\n", "1. bare FindFirstFileA walk", walkMs);
    std::printf("%-44s %8.0f ms %7.0f ms %7.2f   (goal <= 1.20)\n", "2. Sorvane, media boxes unticked (0 hits)", bare,
                floorBare, bare / floorBare);
    std::printf("%-44s %8.0f ms %7.0f ms %7.2f   (goal <= 1.10; %d lines)\n", "3. Sorvane, media ticked", hits,
                floorHits, hits / floorHits, hitLines);
    std::printf("%-44s %8.3f ms (%.3f-%.3f), append %.3f ms (%.3f-%.3f), round trip %.3f ms\n",
                "   cost per hit, median of rounds (spread)", Median(perHit), Best(perHit), Worst(perHit), appendMs,
                Best(appends), Worst(appends), tripMs);
    std::printf("%-44s %8.2f   (%.2f-%.2f; goal <= 1.05)\n", "   cost per hit / append, median of rounds",
                Median(ratios), Best(ratios), Worst(ratios));
    std::printf("%-44s %8.3f ms (%.3f-%.3f) for %d hits\n", "   append within a bare walk, median (spread)",
                Median(walkAppends), Best(walkAppends), Worst(walkAppends), s_walkHits);
    std::printf("%-44s %8.2f   (%.2f-%.2f)\n", "   append within a walk / append, median", Median(walkShares),
                Best(walkShares), Worst(walkShares));
    std::printf("%-44s %8.2f   (%.2f-%.2f)\n", "   cost per hit / append within a walk, median", Median(walkRatios),
                Best(walkRatios), Worst(walkRatios));
    std::printf("%-44s %8.0f ms %7.0f ms %7.2f   (goal <= 1.10)\n", "4. numbering pass, numbers removed", unnumber,
                floorNumbers, unnumber / floorNumbers);
    std::printf("%-44s %8.0f ms %7.0f ms %7.2f\n", "   numbering pass, numbers added", renumber, floorNumbers,
                renumber / floorNumbers);
    std::printf("%-44s %8.1f MB (working set), %.1f MB (private)\n", "5. peak memory of Sorvane",
                mem.PeakWorkingSetSize / 1048576.0, mem.PeakPagefileUsage / 1048576.0);
    std::printf("%-44s %8.1f ms worst of %d WM_NULL probes, %d over 100 ms\n", "   responsiveness (search + numbering)",
                s_worstMs, s_probes, s_slowProbes);
    return 0;
}
