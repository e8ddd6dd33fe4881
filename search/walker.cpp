#include "walker.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../app/line_format.h"
#include "../app/state.h"
#include "search_text.h"

// Paths the ANSI file search can open stay below MAX_PATH; a join that does not fit here could
// not be listed anyway.
enum { kWalkPathBytes = 520, kStatusBytes = kWalkPathBytes + 16 };

static SRWLOCK s_appendLock = SRWLOCK_INIT;  // one append at a time; taken by walkers only, never by the UI thread
static HANDLE s_gate;                        // manual reset; reset while the search is paused
static SearchSettings s_settings;             // as the search took them at its start
static MediaSwitches s_media;

void PrepareWalkers(const SearchSettings &settings, const MediaSwitches &media)
{
    if (!s_gate)
        s_gate = CreateEventA(NULL, TRUE, TRUE, NULL);
    SetEvent(s_gate);
    s_settings = settings;
    s_media = media;
}

void CloseWalkGate()
{
    ResetEvent(s_gate);
}

void OpenWalkGate()
{
    SetEvent(s_gate);
}

// Pause resets the gate before it publishes Paused, and Resume and Stop publish their state
// before they set it, so looking at the state first loses no wake-up and spares a kernel wait.
static void WaitWhilePaused()
{
    if (g_searchState.load() == SEARCH_PAUSED)
        WaitForSingleObject(s_gate, INFINITE);
}

// Numbering, size, append and count as one step no other walker interleaves.
static void AddFoundFile(const char *path, uint64_t size)
{
    AcquireSRWLockExclusive(&s_appendLock);
    WaitWhilePaused();
    int number = g_foundCount.load() + 1;
    char line[kLineBytes];
    if (FormatNumberedLine(line, sizeof line, number, path)) {
        LRESULT added = SendMessageA(g_resultList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        if (added != LB_ERR && added != LB_ERRSPACE) {
            g_listedBytes.fetch_add(size);
            // Under the paced repaint the list has redraw off: this would paint nothing, yet
            // cost a call for every hit.
            if (!g_listPaced.load())
                UpdateWindow(g_resultList);
            g_foundCount.store(number);
        }
    }
    ReleaseSRWLockExclusive(&s_appendLock);
}

// Walks one folder; true when the walk ended on a stop request, so that the levels above close
// their listings and end too.
static bool WalkLevel(const char *folder, char *scratch)
{
    WaitWhilePaused();
    if (g_searchState.load() == SEARCH_STOPPING)
        return true;
    if (FormatStatusText(scratch, kStatusBytes, folder))
        SendMessageA(g_statusLine, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(scratch));

    if (!JoinPath(scratch, kStatusBytes, folder, "*.*"))
        return false;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA(scratch, &entry);
    if (listing == INVALID_HANDLE_VALUE)
        return false;
    bool stopped = false;
    char path[kWalkPathBytes];
    do {
        size_t len = JoinPath(path, sizeof path, folder, entry.cFileName);
        if (len == 0)
            continue;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            uint64_t size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            if (len <= kMaxExaminedPathChars && MatchesSearch(path, size, s_settings, s_media))
                AddFoundFile(path, size);
        } else if (!IsSkippedFolderName(entry.cFileName)) {
            stopped = WalkLevel(path, scratch);
        }
    } while (!stopped && FindNextFileA(listing, &entry));
    FindClose(listing);
    return stopped;
}

DWORD WINAPI WalkFolder(LPVOID root)
{
    char folder[kWalkPathBytes];
    std::strncpy(folder, static_cast<const char *>(root), sizeof folder - 1);
    folder[sizeof folder - 1] = '\0';
    std::free(root);
    char scratch[kStatusBytes];
    WalkLevel(folder, scratch);
    return 0;
}
