#include "file_copy.h"

#include <cstdlib>
#include <cstring>

#include "../app/state.h"
#include "send_text.h"

static const DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// One buffer serves copies one after another, so that each file does not pay for fresh pages; a
// copy that finds it taken uses a buffer of its own. Kept for the life of the process.
static char *s_sharedBuffer;
static std::atomic<bool> s_sharedBusy(false);

static char *TakeBuffer(bool *shared)
{
    *shared = !s_sharedBusy.exchange(true);
    if (*shared) {
        if (!s_sharedBuffer)
            s_sharedBuffer = static_cast<char *>(std::malloc(kCopyChunkBytes));
        if (s_sharedBuffer)
            return s_sharedBuffer;
        *shared = false;
        s_sharedBusy.store(false);
    }
    return static_cast<char *>(std::malloc(kCopyChunkBytes));
}

static void GiveBackBuffer(char *buffer, bool shared)
{
    if (shared)
        s_sharedBusy.store(false);
    else
        std::free(buffer);
}

static LARGE_INTEGER Large(unsigned long long v)
{
    LARGE_INTEGER li;
    li.QuadPart = static_cast<LONGLONG>(v);
    return li;
}

// Runs the copy loop; returns 0 on success or the error that ended it.
static DWORD CopyStream(HANDLE in, HANDLE out, unsigned long long total, LPPROGRESS_ROUTINE progress,
                        void *data, const std::atomic<bool> *abort, char *buffer)
{
    unsigned long long done = 0;
    DWORD reason = CALLBACK_STREAM_SWITCH;
    for (;;) {
        if (abort && abort->load())
            return ERROR_REQUEST_ABORTED;
        if (progress) {
            DWORD answer = progress(Large(total), Large(done), Large(total), Large(done), 1, reason, in, out, data);
            if (answer == PROGRESS_CANCEL || answer == PROGRESS_STOP)
                return ERROR_REQUEST_ABORTED;
            if (answer == PROGRESS_QUIET)
                progress = NULL;
        }
        reason = CALLBACK_CHUNK_FINISHED;
        DWORD got = 0;
        if (!ReadFile(in, buffer, kCopyChunkBytes, &got, NULL))
            return GetLastError();
        if (got == 0)
            return 0;
        DWORD put = 0;
        if (!WriteFile(out, buffer, got, &put, NULL))
            return GetLastError();
        if (put != got)
            return ERROR_DISK_FULL;
        done += got;
        if (done > total)  // the source grew while copied
            total = done;
    }
}

// 0 when size bytes fit on the volume of target, else the error a copy there would end with,
// found before any byte is written. What cannot be read (a volume that will not say) counts as
// room: the writes then tell.
static DWORD RoomError(const char *target, unsigned long long size)
{
    char folder[MAX_PATH + 1];
    const char *slash = LastBackslash(target, g_leadBytes);  // a trail byte may be 0x5C
    size_t len = slash ? static_cast<size_t>(slash - target) + 1 : 0;
    if (len == 0 || len >= sizeof folder)
        return 0;
    std::memcpy(folder, target, len);
    folder[len] = '\0';
    ULARGE_INTEGER available;  // to this user: quotas count
    unsigned long long freeBytes = GetDiskFreeSpaceExA(folder, &available, NULL, NULL) ? available.QuadPart : ~0ull;
    // The file system's name matters only above FAT's limit, and some platforms take longer to
    // tell it than to copy a small file.
    char root[MAX_PATH + 1];
    char fileSystem[MAX_PATH + 1] = "";
    bool named = size > kFatLargestFile && GetVolumePathNameA(folder, root, sizeof root) &&
                 GetVolumeInformationA(root, NULL, 0, NULL, NULL, NULL, fileSystem, sizeof fileSystem);
    if (!named)
        fileSystem[0] = '\0';
    switch (RoomForCopy(size, freeBytes, fileSystem)) {
    case ROOM_DISK_FULL:
        return ERROR_DISK_FULL;
    case ROOM_FILE_TOO_LARGE:
        return ERROR_FILE_TOO_LARGE;
    default:
        return 0;
    }
}

BOOL CopyFileChunked(const char *source, const char *target, LPPROGRESS_ROUTINE progress, void *data,
                     const std::atomic<bool> *abort, DWORD flags)
{
    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (in == INVALID_HANDLE_VALUE)
        return FALSE;
    // Not GetFileInformationByHandle: it asks for the volume serial too, which some platforms
    // answer slowly enough to show on a send of many small files.
    FILE_BASIC_INFO info;
    LARGE_INTEGER size;
    bool shared;
    char *buffer = TakeBuffer(&shared);
    DWORD error = 0;
    HANDLE out = INVALID_HANDLE_VALUE;
    if (!buffer)
        error = ERROR_NOT_ENOUGH_MEMORY;
    else if (!GetFileInformationByHandleEx(in, FileBasicInfo, &info, sizeof info) || !GetFileSizeEx(in, &size))
        error = GetLastError();
    else if ((error = RoomError(target, static_cast<unsigned long long>(size.QuadPart))) != 0 &&
             (flags & COPY_FILE_FAIL_IF_EXISTS) && GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES)
        error = ERROR_FILE_EXISTS;  // as the system's copy, which meets the existing target first
    if (error == 0) {
        // Not set to its full size first: on FAT that would write the whole file in zeros.
        DWORD disposition = (flags & COPY_FILE_FAIL_IF_EXISTS) ? CREATE_NEW : CREATE_ALWAYS;
        out = CreateFileA(target, GENERIC_WRITE, 0, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
        if (out == INVALID_HANDLE_VALUE)
            error = GetLastError();
    }
    if (error != 0) {
        GiveBackBuffer(buffer, shared);
        CloseHandle(in);
        SetLastError(error);
        return FALSE;
    }

    error = CopyStream(in, out, static_cast<unsigned long long>(size.QuadPart), progress, data, abort, buffer);
    GiveBackBuffer(buffer, shared);
    if (error == 0) {
        FILETIME lastWrite;
        lastWrite.dwLowDateTime = static_cast<DWORD>(info.LastWriteTime.QuadPart);
        lastWrite.dwHighDateTime = static_cast<DWORD>(info.LastWriteTime.QuadPart >> 32);
        SetFileTime(out, NULL, NULL, &lastWrite);
    }
    if (!CloseHandle(out) && error == 0)
        error = GetLastError();  // data still cached may fail to reach the disk here
    CloseHandle(in);
    if (error != 0) {
        DeleteFileA(target);
        SetLastError(error);
        return FALSE;
    }
    // A new file carries the archive attribute alone: only other attributes need a call.
    DWORD kept = info.FileAttributes & kKeptAttributes;
    if (kept != FILE_ATTRIBUTE_ARCHIVE)
        SetFileAttributesA(target, kept ? kept : FILE_ATTRIBUTE_NORMAL);
    return TRUE;
}
