#include "walker.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../app/controls.h"
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
static char s_redirectedFolder[MAX_PATH];     // under WOW64 the system folder, passed over; else empty

// Under WOW64 the system shows this 32-bit program SysWOW64's files under the System32 names:
// those lines would name files other than the ones listed. SysWOW64 is walked under its own.
static void FindRedirectedFolder()
{
    BOOL wow64 = FALSE;
    UINT n = IsWow64Process(GetCurrentProcess(), &wow64) && wow64
                 ? GetSystemDirectoryA(s_redirectedFolder, sizeof s_redirectedFolder) : 0;
    if (n == 0 || n >= sizeof s_redirectedFolder)
        s_redirectedFolder[0] = '\0';
}

void PrepareWalkers(const SearchSettings &settings, const MediaSwitches &media)
{
    if (!s_gate) {
        s_gate = CreateEventA(NULL, TRUE, TRUE, NULL);
        FindRedirectedFolder();
    }
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

// What the levels of one walk share: each is done with it before it enters the next.
struct WalkScratch {
    char text[kStatusBytes];          // the status text, then the listing pattern
    wchar_t pattern[kStatusBytes];    // the pattern as the wide file search takes it
};

// Walks one folder; true when the walk ended on a stop request, so that the levels above close
// their listings and end too. The listing is the wide one, which alone tells whether a name is
// exact in the ANSI code page: only exact names are listed or walked, since the ANSI text of any
// other name names no file, or another file than the one found.
static bool WalkLevel(const char *folder, WalkScratch *scratch)
{
    WaitWhilePaused();
    if (g_searchState.load() == SEARCH_STOPPING)
        return true;
    if (s_redirectedFolder[0] && IsAtOrInside(folder, s_redirectedFolder, g_leadBytes))
        return false;
    if (FormatStatusText(scratch->text, sizeof scratch->text, folder))
        SendMessageA(g_statusLine, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(scratch->text));

    if (!JoinPath(scratch->text, sizeof scratch->text, folder, "*.*") ||
        !SystemWideOfAnsi(scratch->text, scratch->pattern, kStatusBytes))
        return false;
    char path[kWalkPathBytes];
    size_t folderLen = JoinPath(path, sizeof path, folder, "");
    WIN32_FIND_DATAW entry;
    HANDLE listing = folderLen ? FindFirstFileW(scratch->pattern, &entry) : INVALID_HANDLE_VALUE;
    if (listing == INVALID_HANDLE_VALUE)
        return false;
    bool stopped = false;
    char *name = path + folderLen;
    do {
        if (!ExactAnsiName(entry.cFileName, name, sizeof path - folderLen, SystemAnsiOfWide, SystemWideOfAnsi))
            continue;
        size_t len = folderLen + std::strlen(name);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            uint64_t size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            if (len <= kMaxExaminedPathChars && MatchesSearch(path, size, s_settings, s_media))
                AddFoundFile(path, size);
        } else if (!IsSkippedFolderName(name)) {
            stopped = WalkLevel(path, scratch);
        }
    } while (!stopped && FindNextFileW(listing, &entry));
    FindClose(listing);
    return stopped;
}

DWORD WINAPI WalkFolder(LPVOID root)
{
    char folder[kWalkPathBytes];
    std::strncpy(folder, static_cast<const char *>(root), sizeof folder - 1);
    folder[sizeof folder - 1] = '\0';
    std::free(root);
    WalkScratch scratch;
    WalkLevel(folder, &scratch);
    return 0;
}
