// Naming rule of an exported list. No window here.
#ifndef SORVANE_EXPORT_RULES_H
#define SORVANE_EXPORT_RULES_H

#include <cstddef>

// Room for a dialog-filled name of 260 bytes and the ".txt" that may follow it.
enum { kExportPathBytes = 264 };

// Appends ".txt" unless the text after the path's last "." is exactly "txt" (small letters).
// False, path unchanged, when the result would not fit in pathBytes.
bool AppendTxtExtension(char *path, size_t pathBytes);

#endif
