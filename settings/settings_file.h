// The settings file: a settings record written to it, and the steps of its lines read back from
// it. Plain file work on the UI thread: the advanced settings dialog fills the record from its
// controls and applies the steps to them.
#ifndef SORVANE_SETTINGS_FILE_H
#define SORVANE_SETTINGS_FILE_H

#include <windows.h>

#include "settings_format.h"

// Writes the choices under the name chosen in the Save dialog, with ".svq" appended unless it
// ends in exactly that; asks first, in a box owned by owner, when the appended name is an
// existing file. A file that cannot be created is reported here, owned by the main window.
enum SettingsSaveResult { SETTINGS_SAVED, SETTINGS_NOT_SAVED, SETTINGS_SAVE_DECLINED };
SettingsSaveResult SaveSettingsAs(HWND owner, const char *chosen, const SettingsChoices &choices);
// Reads at most 800 bytes of the file into its steps (ParseSettingsFile). A file that cannot be
// opened is reported here, owned by the main window, and gives no steps.
void ReadSettingsFile(const char *path, SettingsParse *steps);

#endif
