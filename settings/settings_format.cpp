#include "settings_format.h"

#include <cstring>

// Length of s, looking at no more than max characters.
static size_t BoundedLength(const char *s, size_t max)
{
    size_t n = 0;
    if (s)
        while (n < max && s[n] != '\0')
            ++n;
    return n;
}

static void AddPiece(SettingsPiece *pieces, int *count, const char *data, size_t size)
{
    if (size == 0 || *count >= kSettingsMaxPieces)
        return;
    pieces[*count].data = data;
    pieces[*count].size = size;
    ++*count;
}

static void AddSizeLine(SettingsPiece *pieces, int *count, bool on, const char *value, const char *unit)
{
    if (!on) {
        AddPiece(pieces, count, "0", 1);
        return;
    }
    AddPiece(pieces, count, "1 ", 2);
    AddPiece(pieces, count, value, BoundedLength(value, kSizeValueMaxChars));
    AddPiece(pieces, count, " ", 1);
    AddPiece(pieces, count, unit, BoundedLength(unit, 2));
}

int SettingsFilePieces(const SettingsChoices &c, SettingsPiece *pieces)
{
    int count = 0;
    if (c.where == WHERE_FOLDER) {
        AddPiece(pieces, &count, "2 ", 2);
        AddPiece(pieces, &count, c.folder, BoundedLength(c.folder, kFolderMaxChars));
    } else {
        AddPiece(pieces, &count, "1", 1);
    }
    AddPiece(pieces, &count, "\r\n", 2);

    if (c.names == NAMES_EVERYTHING) {
        AddPiece(pieces, &count, "2", 1);
    } else if (c.names == NAMES_OWN) {
        AddPiece(pieces, &count, "3 ", 2);
        AddPiece(pieces, &count, c.extensions, BoundedLength(c.extensions, kExtensionTextMaxChars));
    } else {
        AddPiece(pieces, &count, "1", 1);
    }
    AddPiece(pieces, &count, "\r\n", 2);

    AddSizeLine(pieces, &count, c.minOn, c.minValue, c.minUnit);
    AddPiece(pieces, &count, "\r\n", 2);
    AddSizeLine(pieces, &count, c.maxOn, c.maxValue, c.maxUnit);
    return count;
}

namespace {

struct Line {
    const unsigned char *bytes;
    size_t size;
};

struct Parser {
    const unsigned char *bytes;
    size_t size;
    size_t next;   // where the next line starts
    SettingsParse *out;
};

}  // namespace

// A line ends at the first CR or LF; the next one is taken to start two bytes later.
static Line NextLine(Parser *p)
{
    Line line = {p->bytes, 0};
    if (p->next >= p->size)
        return line;
    size_t end = p->next;
    while (end < p->size && p->bytes[end] != '\r' && p->bytes[end] != '\n')
        ++end;
    line.bytes = p->bytes + p->next;
    line.size = end - p->next;
    p->next = end + 2;
    return line;
}

static void Push(Parser *p, SettingsActionKind kind, int limit = 0, int unit = 0,
                 const unsigned char *text = nullptr, size_t size = 0)
{
    SettingsParse *out = p->out;
    if (out->count >= kSettingsMaxActions)
        return;
    SettingsAction &a = out->actions[out->count++];
    a.kind = kind;
    a.limit = limit;
    a.unit = unit;
    if (size > kSettingsTextBytes - 1)
        size = kSettingsTextBytes - 1;
    if (size)
        std::memcpy(a.text, text, size);
    a.text[size] = '\0';
}

static char Code(const Line &line)
{
    return line.size ? static_cast<char>(line.bytes[0]) : '\0';
}

// The text from the line's third character on.
static size_t RestSize(const Line &line)
{
    return line.size > 2 ? line.size - 2 : 0;
}

static bool ApplyWhereLine(Parser *p, const Line &line)
{
    if (line.size > kLine1MaxChars)
        return false;
    switch (Code(line)) {
    case '1':
        Push(p, SETTINGS_USE_DRIVES);
        return true;
    case '2':
        if (RestSize(line) > kFolderMaxChars)
            return false;
        Push(p, SETTINGS_USE_FOLDER, 0, 0, line.bytes + 2, RestSize(line));
        return true;
    default:
        return false;
    }
}

static bool ApplyNamesLine(Parser *p, const Line &line)
{
    if (line.size > kLine2MaxChars)
        return false;
    switch (Code(line)) {
    case '1': Push(p, SETTINGS_NAMES_DEFAULT); return true;
    case '2': Push(p, SETTINGS_NAMES_EVERYTHING); return true;
    case '3': Push(p, SETTINGS_NAMES_OWN, 0, 0, line.bytes + 2, RestSize(line)); return true;
    default: return false;
    }
}

static bool ApplySizeLine(Parser *p, const Line &line, int limit)
{
    if (line.size > kSizeLineMaxChars)
        return false;
    char code = Code(line);
    if (code == '0') {
        Push(p, SETTINGS_SIZE_OFF, limit);
        return true;
    }
    if (code != '1')
        return false;
    size_t blank = 2;
    while (blank < line.size && line.bytes[blank] != ' ')
        ++blank;
    if (blank >= line.size)
        return false;   // the value must be followed by a blank
    Push(p, SETTINGS_SIZE_ON, limit, 0, line.bytes + 2, blank - 2);
    size_t pos = blank + 1;
    while (pos < line.size && line.bytes[pos] == ' ')
        ++pos;
    char letter = pos < line.size ? static_cast<char>(line.bytes[pos]) : '\0';
    int unit = letter == 'K' ? 0 : letter == 'M' ? 1 : letter == 'G' ? 2 : -1;
    if (unit < 0)
        return false;
    Push(p, SETTINGS_SIZE_UNIT, limit, unit);
    return true;
}

void ParseSettingsFile(const unsigned char *bytes, size_t size, SettingsParse *out)
{
    out->count = 0;
    size_t window = size < static_cast<size_t>(kSettingsReadBytes) ? size : static_cast<size_t>(kSettingsReadBytes);
    Parser p = {bytes, window, 0, out};
    bool ok = ApplyWhereLine(&p, NextLine(&p)) && ApplyNamesLine(&p, NextLine(&p)) &&
              ApplySizeLine(&p, NextLine(&p), 0) && ApplySizeLine(&p, NextLine(&p), 1);
    Push(&p, ok ? SETTINGS_SUCCESS : SETTINGS_FAILURE);
}

bool AppendSettingsExtension(char *name, size_t size)
{
    size_t len = BoundedLength(name, size);
    if (len >= size)
        return false;   // not terminated within its buffer
    const char *dot = std::strrchr(name, '.');
    const char *ext = (dot && dot != name) ? dot + 1 : "";
    if (std::strcmp(ext, "svq") == 0)
        return true;
    if (len + 5 > size)
        return false;
    std::memcpy(name + len, ".svq", 5);
    return true;
}
