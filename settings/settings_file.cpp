#include "settings_file.h"

#include "../app/controls.h"
#include "../app/state.h"

static bool WritePiece(HANDLE file, const SettingsPiece &piece)
{
    DWORD written = 0;
    return WriteFile(file, piece.data, static_cast<DWORD>(piece.size), &written, NULL) && written == piece.size;
}

// True when every piece was written in full.
static bool SaveSettingsFile(const char *path, const SettingsChoices &choices)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(g_mainWindow, "File cannot be created due to an error", kAppCaption, MB_ICONWARNING);
        return false;
    }
    SettingsPiece pieces[kSettingsMaxPieces];
    int count = SettingsFilePieces(choices, pieces);
    bool ok = true;
    for (int i = 0; i < count && ok; ++i)
        ok = WritePiece(file, pieces[i]);
    CloseHandle(file);
    return ok;
}

SettingsSaveResult SaveSettingsAs(HWND owner, const char *chosen, const SettingsChoices &choices)
{
    char path[MAX_PATH + 4];
    lstrcpynA(path, chosen, sizeof path);
    if (!AppendSettingsExtension(path, sizeof path))
        return SETTINGS_NOT_SAVED;
    if (!MayReplaceExtendedName(owner, chosen, path))
        return SETTINGS_SAVE_DECLINED;
    return SaveSettingsFile(path, choices) ? SETTINGS_SAVED : SETTINGS_NOT_SAVED;
}

void ReadSettingsFile(const char *path, SettingsParse *steps)
{
    steps->count = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(g_mainWindow, "File cannot be opened due to an error", kAppCaption, MB_ICONWARNING);
        return;
    }
    unsigned char bytes[kSettingsReadBytes];
    DWORD got = 0;
    if (!ReadFile(file, bytes, sizeof bytes, &got, NULL))
        got = 0;
    CloseHandle(file);
    ParseSettingsFile(bytes, got, steps);
}
