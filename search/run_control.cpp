#include "run_control.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "../app/ansi_path.h"
#include "../app/controls.h"
#include "../app/ids.h"
#include "../app/result_list.h"
#include "../app/state.h"
#include "search_text.h"
#include "walker.h"

enum { kMaxWalkers = 32 };  // one per drive letter, or one for the search folder

static HANDLE s_walkers[kMaxWalkers];  // written by Start, released by the watcher
static int s_walkerCount;
static HANDLE s_running;               // auto reset: the watcher has made the search Running
static HANDLE s_watcher;               // the watcher that serves one search after another
static HANDLE s_watchRequest;          // auto reset: a search has started for it to watch
static std::atomic<bool> s_watcherFree(false);  // it waits for a search, its last box closed
// Times on a millisecond clock, so that whole seconds are counted from the true start rather
// than from a second boundary.
static std::atomic<unsigned long long> s_startTime(0);
static std::atomic<unsigned long long> s_pauseStart(0);
static std::atomic<unsigned long long> s_pausedTime(0);

static unsigned long long Now()
{
    return GetTickCount64();
}

static bool IsTicked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static void StartWalker(const char *root)
{
    size_t n = std::strlen(root) + 1;
    char *copy = static_cast<char *>(std::malloc(n));
    if (!copy)
        return;
    std::memcpy(copy, root, n);
    HANDLE walker = s_walkerCount < kMaxWalkers ? CreateThread(NULL, 0, WalkFolder, copy, 0, NULL) : NULL;
    if (!walker) {
        std::free(copy);
        return;
    }
    // A new thread runs at normal priority, the walkers' own: no SetThreadPriority is needed.
    s_walkers[s_walkerCount++] = walker;
}

// The end of a search whose walkers have all ended, on the thread that waited for them: the
// report in the status line and the controls of Idle.
static void EndSearch()
{
    // From here until Idle the buttons do nothing, so that no Pause or Resume slips in between
    // the report and the end of the search.
    g_searchState.store(SEARCH_STOPPING);

    char text[96];
    FormatCompletionText(text, sizeof text, ElapsedSearchSeconds(s_startTime.load(), Now(), s_pausedTime.load()));
    SetWindowTextA(g_statusLine, text);
    s_pausedTime.store(0);
    SetWindowTextA(g_startButton, "Start Searching");
    SetWindowTextA(g_advancedButton, "Advanced Search...");
    // Both buttons stay enabled through a search (nothing disables them): no EnableWindow here.
    EnableMenuItem(g_menuBar, IDM_EXPORT, MF_BYCOMMAND | (g_foundCount.load() > 0 ? MF_ENABLED : MF_GRAYED));
    SendMessageA(g_mainWindow, WM_SEARCH_ENDED, 0, 0);

    g_foundCount.store(0);
    for (int i = 0; i < s_walkerCount; ++i)
        CloseHandle(s_walkers[i]);
    s_walkerCount = 0;
    g_searchState.store(SEARCH_IDLE);
}

// Waits for the thread to end while running what other threads send to this one: a walker
// waits here for each line it appends and each status text it sets.
static void WaitServingSentMessages(HANDLE thread)
{
    MSG msg;
    do
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1);
}

// No watcher could be started: nothing would wait for the walkers or end the search, so they are
// stopped and waited for here, and the search ends as a stopped one does, without its box.
static void StopWithoutWatcher()
{
    g_searchState.store(SEARCH_STOPPING);
    OpenWalkGate();
    for (int i = 0; i < s_walkerCount; ++i)
        WaitServingSentMessages(s_walkers[i]);
    EndSearch();
}

static DWORD WINAPI ServeSearches(LPVOID)
{
    for (;;) {
        WaitDispatchingMessages(s_watchRequest);
        WatchSearch(NULL);
        s_watcherFree.store(true);
    }
}

// One watcher serves the searches in turn: under Wine a thread that shows a window keeps some
// memory for good when it ends, and the watcher shows "Search Completed!" on its own thread.
// While it still shows the box of the search before, this search gets a watcher of its own.
static bool StartWatcher()
{
    bool free = true;
    if (s_watcher && s_watcherFree.compare_exchange_strong(free, false))
        return SetEvent(s_watchRequest) != FALSE;
    if (!s_watcher) {
        if (!s_watchRequest)
            s_watchRequest = CreateEventA(NULL, FALSE, FALSE, NULL);
        s_watcher = s_watchRequest ? CreateThread(NULL, 0, ServeSearches, NULL, 0, NULL) : NULL;
        if (s_watcher)
            return SetEvent(s_watchRequest) != FALSE;
    }
    HANDLE once = CreateThread(NULL, 0, WatchSearch, NULL, 0, NULL);
    if (!once)
        return false;
    CloseHandle(once);
    return true;
}

void StartSearch()
{
    ResetResultList();
    g_listedBytes.store(0);
    g_foundCount.store(0);
    MediaSwitches media = {IsTicked(g_mediaBoxes[0]), IsTicked(g_mediaBoxes[1]), IsTicked(g_mediaBoxes[2])};
    // The walkers wait for this thread at every line they add and every status text: above them,
    // it serves each request at once and the window stays responsive. It stays raised afterwards.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    s_walkerCount = 0;
    s_pausedTime.store(0);
    PrepareWalkers(g_settings, media);
    if (!s_running)
        s_running = CreateEventA(NULL, FALSE, FALSE, NULL);
    ResetEvent(s_running);
    SetSearchPacing(true);

    // The 100 ms pauses after each walker and after the watcher are the defined pace of a search
    // start; they hold this thread only (a walker waits at its first status text until Start
    // returns) and order nothing: the event below is what makes sure the search is Running.
    if (g_settings.folderSwitch) {
        // A settings file may switch the folder on without naming one, or name one by a relative
        // path: either would walk wherever the file dialogs left the current directory, and the
        // item actions would later find other files there.
        if (IsFullPath(g_settings.searchFolder))
            StartWalker(g_settings.searchFolder);
        s_startTime.store(Now());
        Sleep(100);
    } else {
        s_startTime.store(Now());
        for (int i = 0; i < g_searchDrives.count; ++i) {
            char root[4];
            if (!g_driveBoxes || !IsTicked(g_driveBoxes[i]) || !DriveRoot(g_searchDrives, i, root, sizeof root))
                continue;
            StartWalker(root);
            Sleep(100);
        }
    }

    bool watched = StartWatcher();
    Sleep(100);
    if (watched) {
        // The search is Running before Start returns: a quick second click pauses it.
        WaitForSingleObject(s_running, INFINITE);
    } else {
        StopWithoutWatcher();
    }
    UpdateWindow(g_mainWindow);
}

void PauseSearch()
{
    if (g_searchState.load() != SEARCH_RUNNING)
        return;
    CloseWalkGate();
    int expected = SEARCH_RUNNING;
    if (!g_searchState.compare_exchange_strong(expected, SEARCH_PAUSED)) {
        OpenWalkGate();  // the search ended meanwhile
        return;
    }
    s_pauseStart.store(Now());
    SetWindowTextA(g_startButton, "Start Searching");
    SetSearchPacing(false);
}

void ResumeSearch()
{
    int expected = SEARCH_PAUSED;
    if (!g_searchState.compare_exchange_strong(expected, SEARCH_RUNNING))
        return;
    s_pausedTime.fetch_add(Now() - s_pauseStart.load());
    SetSearchPacing(true);
    OpenWalkGate();
    SetWindowTextA(g_startButton, "Pause");
}

// The captions stay; each walker ends when it is next about to enter a folder. A pause ended
// here counts as search time.
void StopSearch()
{
    int state = g_searchState.load();
    if (state != SEARCH_RUNNING && state != SEARCH_PAUSED)
        return;
    if (!g_searchState.compare_exchange_strong(state, SEARCH_STOPPING))
        return;
    if (state == SEARCH_PAUSED)
        SetSearchPacing(true);  // the walkers still add the hits of the folders they are in
    OpenWalkGate();
}

DWORD WINAPI WatchSearch(LPVOID)
{
    g_searchState.store(SEARCH_RUNNING);
    SetEvent(s_running);
    SetWindowTextA(g_startButton, "Pause");
    SetWindowTextA(g_advancedButton, "Stop");
    EnableMenuItem(g_menuBar, IDM_EXPORT, MF_BYCOMMAND | MF_GRAYED);

    for (int i = 0; i < s_walkerCount; ++i)
        WaitDispatchingMessages(s_walkers[i]);
    EndSearch();
    MessageBoxA(g_mainWindow, "Search Completed!", kAppCaption, MB_ICONINFORMATION);
    return 0;
}

void OnSearchEnded()
{
    SetSearchPacing(false);
}
