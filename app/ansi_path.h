// Paths in the system's ANSI code page: its two-byte characters, whose second byte may be a
// backslash (0x83 0x5C and 0x95 0x5C in code page 932), the names it holds exactly, and the
// folder that a 32-bit program on 64-bit Windows must not walk. No window code: unit-tested on
// the host.
#ifndef SORVANE_ANSI_PATH_H
#define SORVANE_ANSI_PATH_H

#include <cstddef>

// The bytes that begin a two-byte character of a code page (932, 936, 949, 950). None in a
// single-byte code page, nor in UTF-8, where no byte of a longer character is a backslash.
struct LeadBytes {
    bool lead[256];
};

// The last backslash of the path, found by stepping over whole characters; NULL for none.
const char *LastBackslash(const char *path, const LeadBytes &code);
// Bytes of the character at text: 2 for a lead byte with a second byte after it, else 1.
size_t CharBytes(const char *text, const LeadBytes &code);

// The system's conversions, as WideCharToMultiByte and MultiByteToWideChar with
// MB_ERR_INVALID_CHARS do them: the units written with the terminating zero, or 0 when the text
// does not fit or holds a sequence the code page does not define.
typedef int (*ToAnsiText)(const wchar_t *wide, char *out, int outBytes);
typedef int (*ToWideText)(const char *ansi, wchar_t *out, int outChars);
enum { kNameChars = 260 };  // a listed name with its zero, as the file search gives it

// The ANSI form of a listed name into out when it is exact, that is, converted back it gives the
// same name. A look-alike by best fit ("Lodz" for a name whose L has a stroke, a decomposed
// accent as a spacing one), a '?' for a character the code page lacks, a name ending in a dot or
// a blank, or a form that does not fit: false (out empty).
bool ExactAnsiName(const wchar_t *name, char *out, size_t outBytes, ToAnsiText toAnsi, ToWideText toWide);

// True when the path is the folder or lies inside it. Characters are compared in turn, ASCII
// letters in either case alike and a run of backslashes read as one, so that C:\\Windows\x is
// inside C:\WINDOWS.
bool IsAtOrInside(const char *path, const char *folder, const LeadBytes &code);

// True for a path that means the same whatever the current directory: a drive and its root
// ("C:\..."), or a network path ("\\server\share").
bool IsFullPath(const char *path);

#endif
