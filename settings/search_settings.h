// The search settings record and its text rules. No window code here and no program-wide state:
// the host unit tests and fuzzers build this file as it is. The program's record is g_settings
// (app/state.h).
#ifndef SORVANE_SEARCH_SETTINGS_H
#define SORVANE_SEARCH_SETTINGS_H

#include <cstddef>
#include <cstdint>

enum { kOwnExtensionSlots = 100, kOwnExtensionMaxChars = 20, kExtensionTextBytes = 2000,
       kExtensionTextMaxChars = 499, kSearchFolderBytes = 260 };

// Unit index as the dialog's unit boxes order them.
enum SizeUnit { UNIT_KB = 0, UNIT_MB = 1, UNIT_GB = 2 };

struct SearchSettings {
    bool folderSwitch;                       // search the search folder instead of the ticked drives
    char searchFolder[kSearchFolderBytes];   // at most 259 characters
    bool searchEverything;                   // every name passes; the size limits still apply
    bool ownExtensions;                      // only names whose extension is in ownList
    char *extensionText;                     // kExtensionTextBytes, allocated with the main window
    char ownList[kOwnExtensionSlots][kOwnExtensionMaxChars + 1];
    int ownCount;                            // entries stored by the last ParseExtensionList
    bool minSwitch;
    int minValue;
    SizeUnit minUnit;
    bool maxSwitch;
    int maxValue;
    SizeUnit maxUnit;
};

// Fills the settings' ownList and ownCount from the typed text; false for an invalid list (empty,
// no '.', an entry over 20 characters, or more than 100 entries). Entries parsed before the fault
// stay.
bool ParseExtensionList(const char *text, SearchSettings *settings);
// The value of a text of decimal digits, or 0 when it is not a positive integer that fits
// in 31 bits.
int ParseSizeValue(const char *text);
// value times the unit's byte count, in 64 bits.
uint64_t SizeLimitBytes(int value, SizeUnit unit);

// "KB", "MB", "GB": the unit as the unit boxes and the settings file write it; "KB" for an index
// out of range.
const char *UnitText(int unitIndex);

#endif
