#include "search_settings.h"

#include <cstring>

bool ParseExtensionList(const char *text, SearchSettings *settings)
{
    size_t len = std::strlen(text);
    if (len == 0 || std::strchr(text, '.') == nullptr)
        return false;

    SearchSettings &s = *settings;
    std::memset(s.ownList, 0, sizeof s.ownList);
    s.ownCount = 0;

    size_t pos = 0;
    while (pos < len) {
        const char *dot = std::strchr(text + pos, '.');
        pos = dot ? static_cast<size_t>(dot - text) : len;
        const char *space = std::strchr(text + pos, ' ');
        size_t end = space ? static_cast<size_t>(space - text) : len;
        size_t n = end - pos;
        if (n > kOwnExtensionMaxChars || s.ownCount == kOwnExtensionSlots)
            return false;
        std::memcpy(s.ownList[s.ownCount], text + pos, n);
        s.ownList[s.ownCount][n] = '\0';
        ++s.ownCount;
        pos = end + 1;
    }
    return true;
}

int ParseSizeValue(const char *text)
{
    if (*text == '\0')
        return 0;
    long long value = 0;
    for (const char *p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return 0;
        value = value * 10 + (*p - '0');
        if (value > 2147483647LL)
            return 0;   // too large for a limit: treated like any text that is not a value
    }
    return static_cast<int>(value);
}

uint64_t SizeLimitBytes(int value, SizeUnit unit)
{
    uint64_t factor = unit == UNIT_GB ? 1073741824 : unit == UNIT_MB ? 1048576 : 1024;
    return static_cast<uint64_t>(static_cast<uint32_t>(value)) * factor;
}

const char *UnitText(int unitIndex)
{
    static const char *const kUnits[] = {"KB", "MB", "GB"};
    return (unitIndex >= 0 && unitIndex < 3) ? kUnits[unitIndex] : kUnits[0];
}
