#include "export_rules.h"

#include <cstring>

bool AppendTxtExtension(char *path, size_t pathBytes)
{
    const char *dot = std::strrchr(path, '.');
    if (dot && std::strcmp(dot + 1, "txt") == 0)
        return true;
    size_t len = std::strlen(path);
    if (len + 5 > pathBytes)
        return false;
    std::memcpy(path + len, ".txt", 5);
    return true;
}

void ClearTrail(ExportTrail *trail)
{
    trail->count = 0;
    trail->newest = 0;
    trail->whole = true;
}

void AddToTrail(ExportTrail *trail, const char *path)
{
    trail->newest = (trail->newest + 1) % kTrailLines;
    std::strncpy(trail->paths[trail->newest], path, kLineBytes - 1);
    trail->paths[trail->newest][kLineBytes - 1] = '\0';
    if (trail->count < kTrailLines)
        ++trail->count;
    else
        trail->whole = false;
}

static bool InTrail(const ExportTrail &trail, const char *path)
{
    for (int k = 0; k < trail.count; ++k)
        if (std::strcmp(trail.paths[(trail.newest - k + kTrailLines) % kTrailLines], path) == 0)
            return true;
    return false;
}

int ResumeIndex(const ExportTrail &trail, int next, int removed, int count, LinePathAt pathAt, void *context)
{
    if (next <= 0)
        return 0;
    // The written line that is now last can have moved up by every line removed, and can be at
    // most kTrailLines - 1 lines older than the one written last. Paths in a list are unique.
    int lowest = next - removed - kTrailLines;
    for (int i = (next < count ? next : count) - 1; i >= 0 && i >= lowest; --i)
        if (InTrail(trail, pathAt(i, context)))
            return i + 1;
    return trail.whole ? 0 : -1;
}
