// The text of a result-list line: "(N) path" while numbered, the path alone otherwise.
// A full path never starts with "(", so the prefix is recognised by its pattern: "(", one or
// more digits, ")" and a blank. Lists holding both forms (numbers removed while a search still
// adds numbered lines) then read correctly.
#ifndef SORVANE_LINE_FORMAT_H
#define SORVANE_LINE_FORMAT_H

#include <cstddef>

enum { kLineBytes = 1040 };

// Length of the "(N) " prefix at the start of line, or 0 when it has none.
size_t NumberPrefixLength(const char *line);
// The path a line names: the text after its number prefix, or the whole line.
const char *PathOfLine(const char *line);
// Writes "(number) path" into out; false (out empty) when it does not fit.
bool FormatNumberedLine(char *out, size_t outBytes, long long number, const char *path);

#endif
