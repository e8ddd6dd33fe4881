// The program's own file copy, with CopyFileExA's contract, for a system whose CopyFileExA never
// reports progress and ignores cancel (Wine). It copies the data alone: alternate streams and
// extended attributes stay behind, which is why the system's copy is used wherever it reports.
#ifndef SORVANE_FILE_COPY_H
#define SORVANE_FILE_COPY_H

#include <windows.h>

#include <atomic>

enum { kCopyChunkBytes = 1 << 20 };  // larger chunks measured slower: they leave the cache

// Copies source to target. With COPY_FILE_FAIL_IF_EXISTS an existing target fails the copy
// (ERROR_FILE_EXISTS) and is left untouched; the check and the creation are one step.
// A file that cannot fit on the target's volume (its free space, or the file size limit of FAT)
// fails before the target is created, with ERROR_DISK_FULL or ERROR_FILE_TOO_LARGE, unless the
// target exists: that stays ERROR_FILE_EXISTS, however large the file.
// progress (may be NULL) is called like the system calls it: once as the stream starts
// (CALLBACK_STREAM_SWITCH) and after each chunk (CALLBACK_CHUNK_FINISHED). PROGRESS_CANCEL or
// PROGRESS_STOP from it, or *abort turning true, ends the copy with ERROR_REQUEST_ABORTED;
// PROGRESS_QUIET stops the reports. Whatever fails after the target was created, the target is
// deleted: no partial file is left behind. A finished copy keeps the source's last-write time and
// attributes. Returns FALSE with the last error set on failure.
BOOL CopyFileChunked(const char *source, const char *target, LPPROGRESS_ROUTINE progress, void *data,
                     const std::atomic<bool> *abort, DWORD flags);

#endif
