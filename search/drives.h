// Drive lists: the roots of the drives a selector keeps, back to back ("C:\D:\E:\").
#ifndef SORVANE_DRIVES_H
#define SORVANE_DRIVES_H

enum { kDriveListBytes = 1024 };

enum DriveKind { DRIVE_KIND_OTHER, DRIVE_KIND_FIXED, DRIVE_KIND_REMOVABLE };

struct DriveList {
    char roots[kDriveListBytes];  // "C:\D:\" ...; each root ends in its backslash
    int count;
};

// Builds a list from a platform buffer of zero-terminated roots ended by an empty one, keeping
// the kinds that the selector ("all", "removable", "fixed") names. kindOf tells a root's kind.
// bufferLen bounds the walk even when the final empty root is missing.
void BuildDriveList(const char *buffer, int bufferLen, const char *selector,
                    DriveKind (*kindOf)(const char *root), DriveList *out);
// Root i with its backslash into out (4 bytes at least); false when i is out of range.
bool DriveRoot(const DriveList &list, int i, char *out, int outBytes);

// The drives of this machine (GetLogicalDriveStringsA and GetDriveTypeA). Windows only.
DriveList EnumerateDrives(const char *selector);

#endif
