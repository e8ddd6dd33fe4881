#include "search_text.h"

#include <cstdio>
#include <cstring>

#include "../app/elapsed.h"

static bool Fits(char *out, size_t outBytes, int written)
{
    if (written < 0 || static_cast<size_t>(written) >= outBytes) {
        if (outBytes > 0)
            out[0] = '\0';
        return false;
    }
    return true;
}

size_t JoinPath(char *out, size_t outBytes, const char *folder, const char *name)
{
    int n = std::snprintf(out, outBytes, "%s\\%s", folder, name);
    return Fits(out, outBytes, n) ? static_cast<size_t>(n) : 0;
}

bool FormatStatusText(char *out, size_t outBytes, const char *folder)
{
    return Fits(out, outBytes, std::snprintf(out, outBytes, "Searching %s", folder));
}

long long ElapsedSearchSeconds(unsigned long long startMs, unsigned long long nowMs, unsigned long long pausedMs)
{
    if (nowMs < startMs || nowMs - startMs < pausedMs)
        return 0;
    return static_cast<long long>((nowMs - startMs - pausedMs) / 1000);
}

bool FormatCompletionText(char *out, size_t outBytes, long long elapsedSeconds)
{
    long long minutes = 0, seconds = 0;
    SplitElapsed(elapsedSeconds, &minutes, &seconds);
    return Fits(out, outBytes,
                std::snprintf(out, outBytes, "Search completed in %lld Minute(s) and %lld Second(s)", minutes,
                              seconds));
}

bool ParentFolderOf(const char *path, char *out, size_t outBytes, const LeadBytes &code)
{
    const char *slash = LastBackslash(path, code);
    if (!slash) {
        if (outBytes > 0)
            out[0] = '\0';
        return false;
    }
    int n = static_cast<int>(slash - path);
    bool bareDrive = n == 2 && path[1] == ':';
    return Fits(out, outBytes, std::snprintf(out, outBytes, "%.*s%s", n, path, bareDrive ? "\\" : ""));
}

bool CollapseBackslashes(const char *path, char *out, size_t outBytes, const LeadBytes &code)
{
    size_t n = 0;
    bool afterBackslash = false;
    for (size_t i = 0, bytes; path[i] != '\0'; i += bytes) {
        bytes = CharBytes(path + i, code);
        bool backslash = path[i] == '\\';
        if (i > 1 && backslash && afterBackslash)
            continue;
        afterBackslash = backslash;
        if (n + bytes >= outBytes) {
            if (outBytes > 0)
                out[0] = '\0';
            return false;
        }
        for (size_t k = 0; k < bytes; ++k)
            out[n++] = path[i + k];
    }
    if (outBytes == 0)
        return false;
    out[n] = '\0';
    return true;
}
