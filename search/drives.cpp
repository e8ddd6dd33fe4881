#include <windows.h>

#include "drives.h"

static DriveKind KindOfRoot(const char *root)
{
    switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED: return DRIVE_KIND_FIXED;
    case DRIVE_REMOVABLE: return DRIVE_KIND_REMOVABLE;
    default: return DRIVE_KIND_OTHER;
    }
}

DriveList EnumerateDrives(const char *selector)
{
    char buffer[kDriveListBytes + 1] = {};
    DWORD n = GetLogicalDriveStringsA(kDriveListBytes, buffer);
    if (n > kDriveListBytes)
        n = 0;  // the buffer was too small: nothing was written
    DriveList list;
    BuildDriveList(buffer, static_cast<int>(n) + 1, selector, KindOfRoot, &list);
    return list;
}
