#include "match.h"

#include <cstring>

const char *const kImageExtensions[5] = {"jpg", "png", "gif", "tif", "bmp"};
const char *const kAudioExtensions[4] = {"mp3", "wma", "aac", "wav"};
const char *const kVideoExtensions[8] = {"avi", "mp4", "wmv", "mkv", "mpg", "mov", "flv", "3gp"};

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ExtensionOfPath(const char *path, char *out, size_t outBytes)
{
    const char *dot = std::strrchr(path, '.');
    const char *ext = dot ? dot + 1 : "";
    size_t n = std::strlen(ext);
    if (n >= outBytes)
        return false;
    for (size_t i = 0; i < n; ++i)
        out[i] = LowerAscii(ext[i]);
    out[n] = '\0';
    return true;
}

template <size_t N>
static bool InTable(const char *const (&table)[N], const char *ext)
{
    for (const char *entry : table)
        if (std::strcmp(entry, ext) == 0)
            return true;
    return false;
}

// "." + ext equals the entry lowered: same length, same bytes.
static bool EqualsOwnEntry(const char *entry, const char *ext, size_t extLen)
{
    if (entry[0] != '.' || std::strlen(entry) != extLen + 1)
        return false;
    for (size_t i = 0; i < extLen; ++i)
        if (LowerAscii(entry[i + 1]) != ext[i])
            return false;
    return true;
}

bool MatchesSearch(const char *path, uint64_t size, const SearchSettings &s, const MediaSwitches &media)
{
    if (s.minSwitch && size < SizeLimitBytes(s.minValue, s.minUnit))
        return false;
    if (s.maxSwitch && size > SizeLimitBytes(s.maxValue, s.maxUnit))
        return false;
    if (s.searchEverything)
        return true;

    // Own entries hold at most 20 characters, table entries 3: anything longer matches nothing.
    char ext[kOwnExtensionMaxChars + 1];
    if (!ExtensionOfPath(path, ext, sizeof ext))
        return false;
    if (s.ownExtensions) {
        size_t extLen = std::strlen(ext);
        for (int i = 0; i < s.ownCount && i < kOwnExtensionSlots; ++i)
            if (EqualsOwnEntry(s.ownList[i], ext, extLen))
                return true;
        return false;
    }
    return (media.images && InTable(kImageExtensions, ext)) || (media.audio && InTable(kAudioExtensions, ext)) ||
           (media.video && InTable(kVideoExtensions, ext));
}

bool IsSkippedFolderName(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || std::strcmp(name, "$RECYCLE.BIN") == 0 ||
           std::strcmp(name, "$Recycle.Bin") == 0;
}
