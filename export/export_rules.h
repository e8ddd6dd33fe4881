// Naming rule of an exported list, and how an export finds its place again in a list that the
// user shortens while it is written. No window here.
#ifndef SORVANE_EXPORT_RULES_H
#define SORVANE_EXPORT_RULES_H

#include <cstddef>

#include "../app/line_format.h"

// Room for a dialog-filled name of 260 bytes and the ".txt" that may follow it.
enum { kExportPathBytes = 264 };

// Appends ".txt" unless the text after the path's last "." is exactly "txt" (small letters).
// False, path unchanged, when the result would not fit in pathBytes.
bool AppendTxtExtension(char *path, size_t pathBytes);

// The paths of the lines an export wrote last, newest first. Paths are compared, not whole
// lines, so that a numbering pass that rewrites a line does not hide it.
enum { kTrailLines = 8 };
struct ExportTrail {
    char paths[kTrailLines][kLineBytes];
    int count;    // paths held, at most kTrailLines
    int newest;   // slot of the path written last
    bool whole;   // it holds every line written so far
};
void ClearTrail(ExportTrail *trail);
void AddToTrail(ExportTrail *trail, const char *path);

// Where an export goes on after `removed` lines left the list since it wrote the line then at
// next - 1: just after the last line of the trail that is still in the list, for every line
// before that one has been written. pathAt(i, context) gives the path of line i of the count
// lines there are now. 0 when every line written so far is gone; -1 when the trail does not
// reach back far enough to tell.
typedef const char *(*LinePathAt)(int index, void *context);
int ResumeIndex(const ExportTrail &trail, int next, int removed, int count, LinePathAt pathAt, void *context);

#endif
