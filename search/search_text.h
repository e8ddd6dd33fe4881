// Texts of a search: joined paths, the status line, the completion report and the parent folder
// of a listed file. No window code: unit-tested on the host.
#ifndef SORVANE_SEARCH_TEXT_H
#define SORVANE_SEARCH_TEXT_H

#include <cstddef>

#include "../app/ansi_path.h"

// folder + "\" + name, the backslash added always (C:\ and Music give C:\\Music). Returns the
// length, or 0 (out empty) when it does not fit.
size_t JoinPath(char *out, size_t outBytes, const char *folder, const char *name);
// "Searching " + folder; false (out empty) when it does not fit.
bool FormatStatusText(char *out, size_t outBytes, const char *folder);

// Whole seconds of search from a millisecond clock: now - start - paused, never below 0.
long long ElapsedSearchSeconds(unsigned long long startMs, unsigned long long nowMs, unsigned long long pausedMs);
// "Search completed in M Minute(s) and S Second(s)"; false (out empty) when it does not fit.
bool FormatCompletionText(char *out, size_t outBytes, long long elapsedSeconds);

// The folder of a listed file: the text before its last backslash. A drive left bare ("C:")
// gets its backslash back, so that C:\\a.jpg and C:\a.jpg both give C:\. False when the path
// has no backslash or the folder does not fit. Here and below, paths are read by the characters
// of the code page whose lead bytes are given.
bool ParentFolderOf(const char *path, char *out, size_t outBytes, const LeadBytes &code);

// The path with each run of backslashes after the first character made one (C:\\\\a.jpg gives
// C:\\a.jpg); a leading "\\\\" of a network path stays. False (out empty) when it does not fit.
bool CollapseBackslashes(const char *path, char *out, size_t outBytes, const LeadBytes &code);

#endif
