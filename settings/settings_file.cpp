#include "settings_file.h"

#include <windows.h>

#include <cstring>

#include "../app/controls.h"
#include "../app/ids.h"
#include "../app/state.h"
#include "search_settings.h"
#include "settings_format.h"

static bool IsCheckedIn(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

static bool WritePiece(HANDLE file, const SettingsPiece &piece)
{
    DWORD written = 0;
    return WriteFile(file, piece.data, static_cast<DWORD>(piece.size), &written, NULL) && written == piece.size;
}

bool SaveSettingsFile(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(g_mainWindow, "File cannot be created due to an error", kAppCaption, MB_ICONWARNING);
        return false;
    }
    HWND dialog = g_advancedDialog;
    char folder[kFolderMaxChars + 1] = "";
    char extensions[kExtensionTextMaxChars + 1] = "";
    char minValue[kSizeValueMaxChars + 1] = "";
    char maxValue[kSizeValueMaxChars + 1] = "";
    SettingsChoices c = {WHERE_DRIVES, folder, NAMES_DEFAULT, extensions, false, minValue,
                         UnitText(g_settings.minUnit), false, maxValue, UnitText(g_settings.maxUnit)};
    if (IsCheckedIn(dialog, IDC_ADV_FOLDER)) {
        c.where = WHERE_FOLDER;
        GetDlgItemTextA(dialog, IDC_ADV_FOLDER_LABEL, folder, sizeof folder);
    }
    if (IsCheckedIn(dialog, IDC_ADV_EVERYTHING)) {
        c.names = NAMES_EVERYTHING;
    } else if (IsCheckedIn(dialog, IDC_ADV_OWN_EXT)) {
        c.names = NAMES_OWN;
        GetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, extensions, sizeof extensions);
    }
    if ((c.minOn = IsCheckedIn(dialog, IDC_ADV_MIN_CHECK)))
        GetDlgItemTextA(dialog, IDC_ADV_MIN_VALUE, minValue, sizeof minValue);
    if ((c.maxOn = IsCheckedIn(dialog, IDC_ADV_MAX_CHECK)))
        GetDlgItemTextA(dialog, IDC_ADV_MAX_VALUE, maxValue, sizeof maxValue);

    SettingsPiece pieces[kSettingsMaxPieces];
    int count = SettingsFilePieces(c, pieces);
    bool ok = true;
    for (int i = 0; i < count && ok; ++i)
        ok = WritePiece(file, pieces[i]);
    CloseHandle(file);
    return ok;
}

static void ShowControl(HWND dialog, int id, bool show)
{
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

static void CheckRadio(HWND dialog, int on, int off1, int off2 = 0)
{
    CheckDlgButton(dialog, on, BST_CHECKED);
    CheckDlgButton(dialog, off1, BST_UNCHECKED);
    if (off2)
        CheckDlgButton(dialog, off2, BST_UNCHECKED);
}

static void ApplyAction(HWND dialog, const SettingsAction &a)
{
    bool minimum = a.limit == 0;
    switch (a.kind) {
    case SETTINGS_USE_DRIVES:
        CheckRadio(dialog, IDC_ADV_DRIVES, IDC_ADV_FOLDER);
        ShowControl(dialog, IDC_ADV_FOLDER_LABEL, false);
        break;
    case SETTINGS_USE_FOLDER:
        CheckRadio(dialog, IDC_ADV_FOLDER, IDC_ADV_DRIVES);
        SetDlgItemTextA(dialog, IDC_ADV_FOLDER_LABEL, a.text);
        lstrcpynA(g_settings.searchFolder, a.text, sizeof g_settings.searchFolder);
        ShowControl(dialog, IDC_ADV_FOLDER_LABEL, true);
        break;
    case SETTINGS_NAMES_DEFAULT:
    case SETTINGS_NAMES_EVERYTHING:
        CheckRadio(dialog, a.kind == SETTINGS_NAMES_DEFAULT ? IDC_ADV_DEFAULT_EXT : IDC_ADV_EVERYTHING,
                   IDC_ADV_OWN_EXT, a.kind == SETTINGS_NAMES_DEFAULT ? IDC_ADV_EVERYTHING : IDC_ADV_DEFAULT_EXT);
        ShowControl(dialog, IDC_ADV_EXT_HELP, false);
        ShowControl(dialog, IDC_ADV_EXT_BOX, false);
        break;
    case SETTINGS_NAMES_OWN:
        CheckRadio(dialog, IDC_ADV_OWN_EXT, IDC_ADV_DEFAULT_EXT, IDC_ADV_EVERYTHING);
        SetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, a.text);
        ShowControl(dialog, IDC_ADV_EXT_BOX, true);
        ShowControl(dialog, IDC_ADV_EXT_HELP, true);
        break;
    case SETTINGS_SIZE_OFF:
        CheckDlgButton(dialog, minimum ? IDC_ADV_MIN_CHECK : IDC_ADV_MAX_CHECK, BST_UNCHECKED);
        break;
    case SETTINGS_SIZE_ON:
        CheckDlgButton(dialog, minimum ? IDC_ADV_MIN_CHECK : IDC_ADV_MAX_CHECK, BST_CHECKED);
        SetDlgItemTextA(dialog, minimum ? IDC_ADV_MIN_VALUE : IDC_ADV_MAX_VALUE, a.text);
        break;
    case SETTINGS_SIZE_UNIT:
        SendDlgItemMessageA(dialog, minimum ? IDC_ADV_MIN_UNIT : IDC_ADV_MAX_UNIT, CB_SETCURSEL,
                            static_cast<WPARAM>(a.unit), 0);
        (minimum ? g_settings.minUnit : g_settings.maxUnit) = static_cast<SizeUnit>(a.unit);
        break;
    default:
        break;
    }
}

bool LoadSettingsFile(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(g_mainWindow, "File cannot be opened due to an error", kAppCaption, MB_ICONWARNING);
        return false;
    }
    unsigned char bytes[kSettingsReadBytes];
    DWORD got = 0;
    if (!ReadFile(file, bytes, sizeof bytes, &got, NULL))
        got = 0;
    CloseHandle(file);

    SettingsParse parse;
    ParseSettingsFile(bytes, got, &parse);
    for (int i = 0; i < parse.count; ++i)
        ApplyAction(g_advancedDialog, parse.actions[i]);
    return parse.count > 0 && parse.actions[parse.count - 1].kind == SETTINGS_SUCCESS;
}
