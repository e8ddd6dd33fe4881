#include "line_format.h"

#include <cstdio>
#include <cstring>

size_t NumberPrefixLength(const char *line)
{
    if (line[0] != '(')
        return 0;
    size_t i = 1;
    while (line[i] >= '0' && line[i] <= '9')
        ++i;
    if (i == 1 || line[i] != ')' || line[i + 1] != ' ')
        return 0;
    return i + 2;
}

const char *PathOfLine(const char *line)
{
    return line + NumberPrefixLength(line);
}

bool FormatNumberedLine(char *out, size_t outBytes, long long number, const char *path)
{
    int n = std::snprintf(out, outBytes, "(%lld) %s", number, path);
    if (n < 0 || static_cast<size_t>(n) >= outBytes) {
        if (outBytes > 0)
            out[0] = '\0';
        return false;
    }
    return true;
}
