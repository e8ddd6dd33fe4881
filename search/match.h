// The match rule of the walker: size limits, then search-everything, then the extension against
// the own list or the default tables. No window code and no program-wide state: unit-tested on
// the host.
#ifndef SORVANE_MATCH_H
#define SORVANE_MATCH_H

#include <cstddef>
#include <cstdint>

#include "../settings/search_settings.h"

// The Images, Audio and Video boxes as they were when the search started.
struct MediaSwitches {
    bool images;
    bool audio;
    bool video;
};

enum { kMaxExaminedPathChars = 259 };  // longer full paths are passed over

extern const char *const kImageExtensions[5];
extern const char *const kAudioExtensions[4];
extern const char *const kVideoExtensions[8];

// The text after the last '.' of the whole path, A-Z lowered, into out; "" when the path has no
// dot. False when it does not fit (such an extension matches nothing).
bool ExtensionOfPath(const char *path, char *out, size_t outBytes);
// True when a file of this path and size passes the search settings and the media switches, both
// as the search took them at its start. The size is the one of the listing that delivered the file.
bool MatchesSearch(const char *path, uint64_t size, const SearchSettings &settings, const MediaSwitches &media);
// ".", "..", "$RECYCLE.BIN" and "$Recycle.Bin" (byte for byte) are not walked.
bool IsSkippedFolderName(const char *name);

#endif
