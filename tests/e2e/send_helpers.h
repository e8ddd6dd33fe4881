// Helpers of the send tests (and others): a list filled by a search of D:\, the send submenus,
// the progress window, the files on a drive, and a throttle that slows the program from outside.
#ifndef SORVANE_E2E_SEND_HELPERS_H
#define SORVANE_E2E_SEND_HELPERS_H

#include <shlobj.h>
#include <tlhelp32.h>

#include <atomic>
#include <map>

#include "search_helpers.h"

enum { kProgressStatus = 501, kProgressPercent = 502, kProgressCancel = 503, kProgressSpeed = 504 };

// Searches D:\ alone and returns the lines of the filled list.
inline std::vector<std::string> SearchDriveD(const Running &app)
{
    TickDrives(app, {"D:"});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    return AllLines(app);
}

// Selects the folder (it must exist) in the folder browser and presses OK; NULL: Cancel. The
// path goes into the program's memory, where the browser reads it.
inline void AnswerFolderBrowserW(const Running &app, HWND browser, const wchar_t *folder)
{
    if (folder) {
        void *remote = VirtualAllocEx(app.pi.hProcess, NULL, MAX_PATH * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_TRUE(remote && WriteProcessMemory(app.pi.hProcess, remote, folder, (wcslen(folder) + 1) * sizeof(wchar_t),
                                                 NULL));
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote));
    }
    Answer(browser, folder ? IDOK : IDCANCEL);
    ASSERT_TRUE(WaitGone(browser));
}

inline void AnswerFolderBrowser(const Running &app, HWND browser, const char *folder)
{
    wchar_t wide[MAX_PATH] = L"";
    if (folder)
        MultiByteToWideChar(CP_ACP, 0, folder, -1, wide, MAX_PATH);
    AnswerFolderBrowserW(app, browser, folder ? wide : nullptr);
}

inline HWND WaitForProgressWindow(const Running &app, int timeoutMs = 5000)
{
    return WaitForFirst([&] {
        std::vector<HWND> found;
        for (HWND w : TopLevelOf(app, "#32770"))
            if (GetDlgItem(w, kProgressCancel))
                found.push_back(w);
        return found;
    }, timeoutMs);
}

inline std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

// Picks the first entry (the removable drive, or "Folder..." without one) of "&Send To" or
// "&Send All To" in the list's context menu, as the keyboard would: Send To is the fifth entry,
// Send All To the sixth.
inline void PickSendItem(const Running &app, bool all)
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

// Slows the program from outside: the threads it started after Arm() are suspended for pauseMs
// and run for runMs in turn, until End(). No thread is held for long, so the program's own
// waits behave as on a slow drive.
struct Throttle {
    DWORD pid = 0;
    std::set<DWORD> before;  // the threads left alone
    std::atomic<bool> stop{false};
    std::atomic<int> runMs{10}, pauseMs{90}, pauses{0};  // pauses: the pauses begun
    HANDLE thread = NULL;
    HANDLE wake = CreateEventA(NULL, FALSE, FALSE, NULL);  // ends a pause early

    static std::set<DWORD> ThreadsOf(DWORD pid)
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
    void Arm(const Running &app) { pid = app.pi.dwProcessId; before = ThreadsOf(pid); }
    static DWORD WINAPI Run(LPVOID p)
    {
        Throttle *t = static_cast<Throttle *>(p);
        std::map<DWORD, HANDLE> known;
        while (!t->stop.load()) {
            // The known threads stop at once; the look for new ones, slow under Wine, follows
            // while they stand still, so that a slice runs for about runMs.
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
    void Start() { thread = CreateThread(NULL, 0, Run, this, 0, NULL); }
    // Sends (all or the selection to E:) and slows the copy; the progress window, NULL if none came.
    // The throttle looks for the send's thread before it starts: small files would otherwise be
    // sent before the throttle has found it.
    HWND Send(const Running &app, bool all)
    {
        Arm(app);
        Start();
        PickSendItem(app, all);
        return WaitForProgressWindow(app);
    }
    // Holds the threads for ms at a time (INFINITE: until End or a wake) from the next pause on,
    // and returns once that pause has begun.
    bool Hold(DWORD ms = INFINITE)
    {
        pauseMs.store(static_cast<int>(ms));
        int seen = pauses.load();
        return WaitUntil([&] { return pauses.load() > seen; }, 10000);
    }
    void End()
    {
        stop.store(true);
        SetEvent(wake);
        WaitForSingleObject(thread, 10000);  // at once when none runs
        CloseHandle(thread);
        thread = NULL;
    }
    ~Throttle() { End(); CloseHandle(wake); }
};

inline uint64_t FileSize(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d))
        return UINT64_MAX;
    return (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

// Names of the files directly in a folder.
inline std::set<std::string> FilesIn(const std::string &folder)
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

#endif
