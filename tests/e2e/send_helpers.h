// Helpers of the send and export tests: a list filled by a search of D:\, the two send submenus,
// the progress window, message boxes found by their text, the folder browser, and a throttle
// that slows a copy down from outside the program.
#ifndef SORVANE_E2E_SEND_HELPERS_H
#define SORVANE_E2E_SEND_HELPERS_H

#include <shlobj.h>
#include <winioctl.h>
#include <tlhelp32.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "search_helpers.h"

enum { kProgressBar = 678, kProgressStatus = 501, kProgressPercent = 502, kProgressCancel = 503,
       kProgressSpeed = 504 };

// Searches D:\ alone and returns the lines of the filled list.
inline std::vector<std::string> SearchDriveD(const Running &app)
{
    TickDrives(app, {"D:"});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    return ListLines(ResultList(app));
}

inline std::vector<HWND> ProgressWindows(const Running &app)
{
    std::vector<HWND> found;
    for (HWND w : TopLevelOf(app, "#32770"))
        if (GetDlgItem(w, kProgressBar))
            found.push_back(w);
    return found;
}

inline HWND WaitForProgressWindow(const Running &app, int timeoutMs = 5000)
{
    return WaitForFirst([&] { return ProgressWindows(app); }, timeoutMs);
}

// Waits until the send's window has come and gone.
inline void WaitForSendToEnd(const Running &app, int timeoutMs = 20000)
{
    HWND progress = WaitForProgressWindow(app);
    ASSERT_TRUE(progress != NULL) << "no progress window";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, timeoutMs)) << "the progress window stayed";
}

inline std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

// Picks entry `item` (0 = first) of "&Send To" or "&Send All To" in the list's context menu, as
// the keyboard would: S opens Send To; Send All To is the sixth entry.
inline void PickSendItem(const Running &app, bool all, int item)
{
    HWND popup = OpenContextMenu(app);
    if (!popup)  // right after a search the first request may go unanswered under load
        popup = OpenContextMenu(app);
    ASSERT_TRUE(popup != NULL) << "no context menu";
    if (all) {
        for (int i = 0; i < 6; ++i)
            SendKey(popup, VK_DOWN);
        SendKey(popup, VK_RIGHT);
    } else {
        PostMessageA(popup, WM_CHAR, 's', 0);
    }
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").size() >= 2; })) << "no submenu";
    for (int i = 0; i < item; ++i)
        SendKey(popup, VK_DOWN);
    PostMessageA(popup, WM_CHAR, '\r', 0);
    ASSERT_TRUE(WaitUntil([&] { return TopLevelOf(app, "#32768").empty(); })) << "the menu stayed open";
}

// Copies text into the program's memory, so that a message whose lParam is a pointer can reach
// one of its windows from here. Freed with the process.
inline LPARAM RemoteText(const Running &app, const std::string &text)
{
    void *remote = VirtualAllocEx(app.pi.hProcess, NULL, text.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    EXPECT_TRUE(remote != NULL);
    SIZE_T written = 0;
    WriteProcessMemory(app.pi.hProcess, remote, text.c_str(), text.size() + 1, &written);
    return reinterpret_cast<LPARAM>(remote);
}

// Waits for the folder browser, selects the folder (it must exist) and presses OK.
inline void ChooseFolderInBrowser(const Running &app, const std::string &folder)
{
    HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
    ASSERT_TRUE(browser != NULL) << "no folder browser";
    bool titled = false;
    for (HWND w = GetWindow(browser, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        titled = titled || WindowTextOf(w) == "Navigate to the folder you want to send data to";
    EXPECT_TRUE(titled) << "the browser does not show its title";
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, RemoteText(app, folder));
    Answer(browser, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
}

// Slows the program's copy from outside: the threads that the program started after Arm() are
// suspended most of the time, in short slices, until the throttle ends. The copy is never held
// for long, so the program's own waits behave as on a slow drive.
struct Throttle {
    DWORD pid = 0;
    std::set<DWORD> before;
    std::atomic<bool> stop{false};
    std::atomic<int> runMs{10}, pauseMs{90};
    std::atomic<int> pauses{0};  // pause phases begun
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
        std::map<DWORD, HANDLE> known;  // the program's threads started after Arm()
        while (!t->stop.load()) {
            // The known threads stop at once; the look for new ones, slow under Wine, follows
            // while they stand still, so that a slice runs for about runMs.
            std::vector<HANDLE> held;
            for (const auto &k : known)
                if (SuspendThread(k.second) != static_cast<DWORD>(-1))
                    held.push_back(k.second);
            for (DWORD id : ThreadsOf(t->pid))
                if (!t->before.count(id) && !known.count(id))
                    if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id)) {
                        known[id] = h;
                        if (SuspendThread(h) != static_cast<DWORD>(-1))
                            held.push_back(h);
                    }
            ++t->pauses;
            WaitForSingleObject(t->wake, static_cast<DWORD>(t->pauseMs.load()));
            for (HANDLE h : held)
                ResumeThread(h);
            Sleep(static_cast<DWORD>(t->runMs.load()));
        }
        for (const auto &k : known)
            CloseHandle(k.second);
        return 0;
    }
    void Start() { thread = CreateThread(NULL, 0, Run, this, 0, NULL); }
    // Sends (all or the selection to E:) and slows the copy; the progress window, NULL if none came.
    HWND Send(const Running &app, bool all)
    {
        Arm(app);
        PickSendItem(app, all, 0);
        HWND progress = WaitForProgressWindow(app);
        if (progress)
            Start();
        return progress;
    }
    // Holds the copy for ms at a time (INFINITE: until End) from the next pause on, and returns
    // once that pause has begun: what the test does next happens while the copy stands still.
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
        if (thread) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
            thread = NULL;
        }
    }
    ~Throttle() { End(); CloseHandle(wake); }
};

// Wine's mount manager turns the test prefix's E: into a fixed drive while the program runs, and
// back into a removable one. Its drive record as Wine 8 lays it out; Read() checks the layout on
// E: itself before anything is changed.
struct WineDriveRecord {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
};

class RemovableDriveGone {
public:
    RemovableDriveGone()
    {
        std::string mountPoint;
        if (!Read('e', &mountPoint) || type_ != DRIVE_REMOVABLE || mountPoint.empty())
            return;
        mountPoint_ = mountPoint;
        changed_ = Define(DRIVE_FIXED);
    }
    ~RemovableDriveGone() { Restore(); }
    bool Changed() const { return changed_ && GetDriveTypeA("E:\\") == DRIVE_FIXED; }
    void Restore()
    {
        if (changed_)
            Define(DRIVE_REMOVABLE);
        changed_ = false;
    }

private:
    static HANDLE Manager()
    {
        return CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           NULL, OPEN_EXISTING, 0, NULL);
    }
    bool Read(char letter, std::string *mountPoint)
    {
        HANDLE mgr = Manager();
        if (mgr == INVALID_HANDLE_VALUE)
            return false;
        WineDriveRecord in = {};
        in.size = sizeof in;
        in.letter = static_cast<WCHAR>(letter);
        union { WineDriveRecord record; char bytes[4096]; } out = {};
        DWORD got = 0;
        BOOL ok = DeviceIoControl(mgr, CTL_CODE('m', 33, METHOD_BUFFERED, FILE_READ_ACCESS), &in, sizeof in, &out,
                                  sizeof out, &got, NULL);
        CloseHandle(mgr);
        if (!ok || got < sizeof in || out.record.letter != letter || out.record.mountPointOffset >= got)
            return false;
        type_ = out.record.type;
        if (out.record.mountPointOffset >= sizeof in)
            *mountPoint = out.bytes + out.record.mountPointOffset;
        return true;
    }
    bool Define(ULONG type)
    {
        HANDLE mgr = Manager();
        if (mgr == INVALID_HANDLE_VALUE)
            return false;
        std::vector<char> in(sizeof(WineDriveRecord) + mountPoint_.size() + 1);
        WineDriveRecord *record = reinterpret_cast<WineDriveRecord *>(in.data());
        record->size = static_cast<ULONG>(in.size());
        record->type = type;
        record->letter = L'e';
        record->mountPointOffset = sizeof(WineDriveRecord);
        std::memcpy(in.data() + sizeof(WineDriveRecord), mountPoint_.c_str(), mountPoint_.size() + 1);
        DWORD got = 0;
        BOOL ok = DeviceIoControl(mgr, CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                                  in.data(), static_cast<DWORD>(in.size()), NULL, 0, &got, NULL);
        CloseHandle(mgr);
        return ok != FALSE;
    }
    std::string mountPoint_;
    ULONG type_ = 0;
    bool changed_ = false;
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
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(fd.cFileName);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return names;
}

#endif
