// Saving the advanced settings dialog's choices to a settings file and loading them back into
// it. Both run on the UI thread while the dialog is open (g_advancedDialog).
#ifndef SORVANE_SETTINGS_FILE_H
#define SORVANE_SETTINGS_FILE_H

// Writes what the dialog's controls show, with the stored size units; true when every piece was
// written in full. A file that cannot be created is reported here, owned by the main window.
bool SaveSettingsFile(const char *path);
// Saves under the name chosen in the Save dialog, with ".svq" appended unless it ends in exactly
// that; asks first, in a box owned by the dialog, when the appended name is an existing file.
enum SettingsSaveResult { SETTINGS_SAVED, SETTINGS_NOT_SAVED, SETTINGS_SAVE_DECLINED };
SettingsSaveResult SaveSettingsAs(const char *chosen);
// Reads at most 800 bytes and applies the file line by line to the dialog's controls, and at
// once to the search folder and the size units; true when all four lines applied. A file that
// cannot be opened is reported here, owned by the main window.
bool LoadSettingsFile(const char *path);

#endif
