#include "ansi_path.h"

#include <climits>
#include <cwchar>

size_t CharBytes(const char *text, const LeadBytes &code)
{
    return code.lead[static_cast<unsigned char>(text[0])] && text[1] != '\0' ? 2 : 1;
}

const char *LastBackslash(const char *path, const LeadBytes &code)
{
    const char *last = nullptr;
    for (const char *p = path; *p != '\0'; p += CharBytes(p, code))
        if (*p == '\\')
            last = p;
    return last;
}

bool ExactAnsiName(const wchar_t *name, char *out, size_t outBytes, ToAnsiText toAnsi, ToWideText toWide)
{
    if (outBytes == 0)
        return false;
    wchar_t back[kNameChars];
    int bytes = outBytes > INT_MAX ? INT_MAX : static_cast<int>(outBytes);
    // Windows drops a final dot or blank from every name of a path: such a name reaches another file.
    size_t len = std::wcslen(name);
    bool trimmed = len > 0 && (name[len - 1] == L'.' || name[len - 1] == L' ');
    if (!trimmed && toAnsi(name, out, bytes) > 0 && toWide(out, back, kNameChars) > 0 && std::wcscmp(back, name) == 0)
        return true;
    out[0] = '\0';
    return false;
}

static char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The character after the one at p, a run of backslashes taken as one character.
static const char *NextChar(const char *p, const LeadBytes &code)
{
    if (*p != '\\')
        return p + CharBytes(p, code);
    while (*p == '\\')
        ++p;
    return p;
}

bool IsAtOrInside(const char *path, const char *folder, const LeadBytes &code)
{
    const char *p = path, *f = folder;
    bool folderEndsInBackslash = false;
    while (*f != '\0') {
        size_t n = CharBytes(f, code);
        if (n != CharBytes(p, code) || AsciiLower(p[0]) != AsciiLower(f[0]) || (n == 2 && p[1] != f[1]))
            return false;
        folderEndsInBackslash = *f == '\\';
        p = NextChar(p, code);
        f = NextChar(f, code);
    }
    return folderEndsInBackslash || *p == '\0' || *p == '\\';
}

bool IsFullPath(const char *path)
{
    char letter = static_cast<char>(path[0] | 0x20);
    return (letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\') ||
           (path[0] == '\\' && path[1] == '\\');
}
