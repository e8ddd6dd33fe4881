// The settings file's byte layout: the writer's pieces and the reader as a parser that turns the
// file's bytes into the steps that apply it. No window code here: the host unit tests and the
// fuzzers build this file as it is.
#ifndef SORVANE_SETTINGS_FORMAT_H
#define SORVANE_SETTINGS_FORMAT_H

#include <cstddef>

#include "search_settings.h"

enum {
    kSettingsReadBytes = 800,   // the reader looks at no more of a file
    kSettingsMaxFileBytes = 796,  // the longest file the writer makes: 263 + 503 + 16 + 14
    kSettingsMaxPieces = 16,
    kFolderMaxChars = kSearchFolderBytes - 1,   // the folder label and the search folder hold no more
    kSizeValueMaxChars = 9,
    kLine1MaxChars = 271,       // the reader's line bounds; a longer line is invalid data
    kLine2MaxChars = 511,
    kSizeLineMaxChars = 31,
    kSettingsTextBytes = kLine2MaxChars + 1,
};

// What the dialog's controls show, as the writer puts it into a file.
enum WhereChoice { WHERE_DRIVES = 1, WHERE_FOLDER = 2 };
enum NamesChoice { NAMES_DEFAULT = 1, NAMES_EVERYTHING = 2, NAMES_OWN = 3 };
struct SettingsChoices {
    int where;                 // WhereChoice
    const char *folder;        // the folder label's text
    int names;                 // NamesChoice
    const char *extensions;    // the extension box's text
    bool minOn;
    const char *minValue;      // the value boxes' texts, unvalidated
    const char *minUnit;       // "KB", "MB" or "GB"
    bool maxOn;
    const char *maxValue;
    const char *maxUnit;
};

// One piece of the file, written with one write call. data points into the choices' texts or
// into static text.
struct SettingsPiece {
    const char *data;
    size_t size;
};

// Fills pieces (room for kSettingsMaxPieces) with the file's bytes in order and returns their
// count. Texts are cut to what the file holds: folder 259, extensions 499, values 9, units 2.
int SettingsFilePieces(const SettingsChoices &choices, SettingsPiece *pieces);

// The reader's steps, applied in order; the last one is SETTINGS_SUCCESS or SETTINGS_FAILURE.
enum SettingsActionKind {
    SETTINGS_USE_DRIVES,       // check "Use default hard drives", hide the folder label
    SETTINGS_USE_FOLDER,       // check the folder radio; text is the folder, shown and stored
    SETTINGS_NAMES_DEFAULT,    // "Use default extensions"
    SETTINGS_NAMES_EVERYTHING, // "Search for everything"
    SETTINGS_NAMES_OWN,        // own extensions; text goes into the extension box
    SETTINGS_SIZE_OFF,         // untick the limit's box (limit 0 minimum, 1 maximum)
    SETTINGS_SIZE_ON,          // tick the limit's box; text goes into its value box
    SETTINGS_SIZE_UNIT,        // unit index 0 KB, 1 MB, 2 GB for the limit's unit box and unit
    SETTINGS_SUCCESS,
    SETTINGS_FAILURE,
};
struct SettingsAction {
    SettingsActionKind kind;
    int limit;
    int unit;
    char text[kSettingsTextBytes];   // terminated; at most kLine2MaxChars - 2 characters
};
enum { kSettingsMaxActions = 10 };
struct SettingsParse {
    SettingsAction actions[kSettingsMaxActions];
    int count;
};

// Parses the first min(size, 800) bytes of a settings file into out. A line that breaks the
// reader's bounds (too long, a value not followed by a blank, a folder over 259 characters)
// fails before any of its own steps; a bad code or unit letter fails after the steps of its
// line that come before it.
void ParseSettingsFile(const unsigned char *bytes, size_t size, SettingsParse *out);

// The name a chosen Save name is written under: ".svq" is appended unless the text after the
// name's last '.' is exactly "svq" (a '.' that is the name's first character does not count).
// False, with name unchanged, when the result would not fit in size bytes.
bool AppendSettingsExtension(char *name, size_t size);

#endif
