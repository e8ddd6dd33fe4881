#include "settings_dialog.h"

#include <cstdio>
#include <cstring>

#include "../app/controls.h"
#include "../app/ids.h"
#include "../app/state.h"
#include "search_settings.h"
#include "settings_file.h"
#include "settings_format.h"

enum { FONT_CHOICE, FONT_TEXT, FONT_BUTTON, FONT_COUNT };
static HFONT s_fonts[FONT_COUNT];   // made at each opening, released when the dialog goes

struct ControlLayout {
    int id;
    const char *cls;
    const char *text;
    DWORD style;
    int x, y, width, height;
    int font;
};

static const DWORD kRadio = WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON;
static const DWORD kCheck = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
static const DWORD kValueBox = WS_CHILD | WS_VISIBLE | WS_BORDER;
static const DWORD kUnitBox = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
static const DWORD kButton = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON;

static const char kExtensionHelp[] =
    "Write extensions using dot '.'; for example: .avi .jpg\n"
    "  In advanced settings, you can also include other extensions, for example: .doc, .pdf";

// In creation order; positions in pixels of the dialog's client area.
static const ControlLayout kControls[] = {
    {IDC_ADV_DRIVES, "BUTTON", "Use default hard drives", kRadio, 20, 30, 250, 20, FONT_CHOICE},
    {IDC_ADV_FOLDER, "BUTTON", "Select folder to search in...", kRadio, 20, 60, 250, 20, FONT_CHOICE},
    {IDC_ADV_FOLDER_LABEL, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 90, 300, 120, FONT_TEXT},
    {IDC_ADV_DEFAULT_EXT, "BUTTON", "Use default extensions", kRadio, 350, 30, 350, 20, FONT_CHOICE},
    {IDC_ADV_EVERYTHING, "BUTTON", "Search for everything", kRadio, 350, 60, 350, 20, FONT_CHOICE},
    {IDC_ADV_OWN_EXT, "BUTTON", "Specify extensions to search for", kRadio, 350, 90, 350, 20, FONT_CHOICE},
    {IDC_ADV_EXT_HELP, "STATIC", kExtensionHelp, WS_CHILD | WS_VISIBLE | SS_CENTER, 350, 120, 500, 40, FONT_TEXT},
    {IDC_ADV_EXT_BOX, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, 350, 160, 500, 80, FONT_TEXT},
    {IDC_ADV_MIN_CHECK, "BUTTON", "Ignore files smaller than", kCheck, 20, 250, 200, 20, FONT_CHOICE},
    {IDC_ADV_MAX_CHECK, "BUTTON", "Ignore files larger  than", kCheck, 20, 280, 200, 20, FONT_CHOICE},
    {IDC_ADV_MIN_VALUE, "EDIT", "", kValueBox, 230, 250, 80, 25, FONT_TEXT},
    {IDC_ADV_MAX_VALUE, "EDIT", "", kValueBox, 230, 280, 80, 25, FONT_TEXT},
    {IDC_ADV_MIN_UNIT, "COMBOBOX", "", kUnitBox, 320, 250, 45, 80, FONT_TEXT},
    {IDC_ADV_MAX_UNIT, "COMBOBOX", "", kUnitBox, 320, 280, 45, 80, FONT_TEXT},
    {IDC_ADV_SAVE, "BUTTON", "Save Settings...", kButton, 480, 260, 150, 50, FONT_BUTTON},
    {IDC_ADV_LOAD, "BUTTON", "Load Settings...", kButton, 640, 260, 150, 50, FONT_BUTTON},
    {IDC_ADV_OK, "BUTTON", "OK", kButton, 300, 400, 90, 40, FONT_BUTTON},
    {IDC_ADV_CANCEL, "BUTTON", "Cancel", kButton, 400, 400, 90, 40, FONT_BUTTON},
};

static const char kExtensionQuestion[] =
    "Extension format is invalid. Note that maximum length for an extension is 20 characters. If you "
    "proceed, default extension settings will be used. Are you sure you want to continue";
static const char kSmallSizeQuestion[] =
    "Only positive integer(number) is acceptable for ignore small size value. If you proceed, this "
    "selection will not be considered. Are you sure you want to continue";
static const char kLargeSizeQuestion[] =
    "Only positive integer(number) is acceptable for ignore large size value. If you proceed, this "
    "selection will not be considered. Are you sure you want to continue";
static const char kSettingsFilter[] = "Sorvane Settings (*.svq)\0*.svq\0";

// --- Building ---

static void MakeFonts()
{
    s_fonts[FONT_CHOICE] = MakeFont(20, 0, true, "Times New Roman");
    s_fonts[FONT_TEXT] = MakeFont(17, 0, false, "Times New Roman");
    s_fonts[FONT_BUTTON] = MakeFont(24, 1, false, "Times New Roman");
}

static void ReleaseFonts()
{
    for (HFONT &font : s_fonts) {
        if (font)
            DeleteObject(font);
        font = NULL;
    }
}

static void MakeControls(HWND dialog)
{
    for (const ControlLayout &c : kControls)
        MakeControl(dialog, c.cls, c.text, c.style, c.x, c.y, c.width, c.height, c.id, s_fonts[c.font]);
    for (int unit = 0; unit < 3; ++unit) {
        SendDlgItemMessageA(dialog, IDC_ADV_MIN_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UnitText(unit)));
        SendDlgItemMessageA(dialog, IDC_ADV_MAX_UNIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UnitText(unit)));
    }
}

// --- Controls ---

static bool IsOn(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

static void Show(HWND dialog, int id, bool show)
{
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

static void Check(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

static void ShowDrivesChoice(HWND dialog)
{
    Check(dialog, IDC_ADV_DRIVES, true);
    Check(dialog, IDC_ADV_FOLDER, false);
    Show(dialog, IDC_ADV_FOLDER_LABEL, false);
}

static void ShowFolderChoice(HWND dialog, const char *folder)
{
    Check(dialog, IDC_ADV_FOLDER, true);
    Check(dialog, IDC_ADV_DRIVES, false);
    SetDlgItemTextA(dialog, IDC_ADV_FOLDER_LABEL, folder);
    Show(dialog, IDC_ADV_FOLDER_LABEL, true);
}

// A folder chosen in the browser or loaded from a file is the search folder at once, whatever
// OK or Cancel follow.
static void TakeSearchFolder(HWND dialog, const char *folder)
{
    lstrcpynA(g_settings.searchFolder, folder, sizeof g_settings.searchFolder);
    ShowFolderChoice(dialog, g_settings.searchFolder);
}

// One of the three name choices: 155, 156 or 160; the extension box shows with 155 only.
static void ShowNamesChoice(HWND dialog, int id)
{
    Check(dialog, IDC_ADV_DEFAULT_EXT, id == IDC_ADV_DEFAULT_EXT);
    Check(dialog, IDC_ADV_EVERYTHING, id == IDC_ADV_EVERYTHING);
    Check(dialog, IDC_ADV_OWN_EXT, id == IDC_ADV_OWN_EXT);
    Show(dialog, IDC_ADV_EXT_HELP, id == IDC_ADV_OWN_EXT);
    Show(dialog, IDC_ADV_EXT_BOX, id == IDC_ADV_OWN_EXT);
}

// A limit that is off shows "1"; either way its unit box shows the stored unit.
static void ShowSizeLimit(HWND dialog, int check, int valueBox, int unitBox, bool on, int value, SizeUnit unit)
{
    char text[16] = "1";
    if (on) {
        Check(dialog, check, true);
        std::snprintf(text, sizeof text, "%d", value);
    }
    SetDlgItemTextA(dialog, valueBox, text);
    SendDlgItemMessageA(dialog, unitBox, CB_SETCURSEL, static_cast<WPARAM>(unit), 0);
}

// A unit chosen in its box or loaded from a file takes effect at once, whatever OK or Cancel
// follow, so that the box and the unit a save or a search uses always agree.
static SizeUnit &UnitOfBox(int unitBox)
{
    return unitBox == IDC_ADV_MIN_UNIT ? g_settings.minUnit : g_settings.maxUnit;
}

static void ShowSettings(HWND dialog)
{
    const SearchSettings &s = g_settings;
    if (s.folderSwitch)
        ShowFolderChoice(dialog, s.searchFolder);
    else
        ShowDrivesChoice(dialog);
    if (s.searchEverything) {
        ShowNamesChoice(dialog, IDC_ADV_EVERYTHING);
    } else if (s.ownExtensions) {
        SetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, s.extensionText ? s.extensionText : "");
        ShowNamesChoice(dialog, IDC_ADV_OWN_EXT);
    } else {
        ShowNamesChoice(dialog, IDC_ADV_DEFAULT_EXT);
    }
    ShowSizeLimit(dialog, IDC_ADV_MIN_CHECK, IDC_ADV_MIN_VALUE, IDC_ADV_MIN_UNIT, s.minSwitch, s.minValue, s.minUnit);
    ShowSizeLimit(dialog, IDC_ADV_MAX_CHECK, IDC_ADV_MAX_VALUE, IDC_ADV_MAX_UNIT, s.maxSwitch, s.maxValue, s.maxUnit);
}

// --- Commands ---

static void ChooseSearchFolder(HWND dialog)
{
    char path[MAX_PATH];
    if (!BrowseForFolder(dialog, "Navigate to the folder you want to search in", path)) {
        ShowDrivesChoice(dialog);
        return;
    }
    TakeSearchFolder(dialog, path);
}

static void OnFolderChoice(HWND dialog)
{
    Check(dialog, IDC_ADV_FOLDER, true);
    Check(dialog, IDC_ADV_DRIVES, false);
    ChooseSearchFolder(dialog);
}

static void OnUnitChange(HWND dialog, int box)
{
    int index = static_cast<int>(SendDlgItemMessageA(dialog, box, CB_GETCURSEL, 0, 0));
    if (index < 0 || index > 2)
        return;
    UnitOfBox(box) = static_cast<SizeUnit>(index);
}

// The Save and Open dialogs belong to the main window; this dialog is kept from taking clicks
// while one of them is open, so that no second command runs inside it.
static bool RunFileDialog(HWND dialog, char *name, DWORD nameSize, DWORD flags, bool save)
{
    OPENFILENAMEA ofn = FileDialogRecord(true, kSettingsFilter, name, nameSize, flags, "svq");
    EnableWindow(dialog, FALSE);
    BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    EnableWindow(dialog, TRUE);
    SetForegroundWindow(dialog);
    return chosen != FALSE;
}

// The texts of what the controls show, as a save writes them.
struct ShownTexts {
    char folder[kFolderMaxChars + 1];
    char extensions[kExtensionTextMaxChars + 1];
    char minValue[kSizeValueMaxChars + 1];
    char maxValue[kSizeValueMaxChars + 1];
};

// What the controls show, with the stored size units; the texts go into texts.
static SettingsChoices ShownChoices(HWND dialog, ShownTexts *texts)
{
    *texts = ShownTexts();
    SettingsChoices c = {WHERE_DRIVES, texts->folder, NAMES_DEFAULT, texts->extensions, false, texts->minValue,
                         UnitText(g_settings.minUnit), false, texts->maxValue, UnitText(g_settings.maxUnit)};
    if (IsOn(dialog, IDC_ADV_FOLDER)) {
        c.where = WHERE_FOLDER;
        GetDlgItemTextA(dialog, IDC_ADV_FOLDER_LABEL, texts->folder, sizeof texts->folder);
    }
    if (IsOn(dialog, IDC_ADV_EVERYTHING)) {
        c.names = NAMES_EVERYTHING;
    } else if (IsOn(dialog, IDC_ADV_OWN_EXT)) {
        c.names = NAMES_OWN;
        GetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, texts->extensions, sizeof texts->extensions);
    }
    if ((c.minOn = IsOn(dialog, IDC_ADV_MIN_CHECK)))
        GetDlgItemTextA(dialog, IDC_ADV_MIN_VALUE, texts->minValue, sizeof texts->minValue);
    if ((c.maxOn = IsOn(dialog, IDC_ADV_MAX_CHECK)))
        GetDlgItemTextA(dialog, IDC_ADV_MAX_VALUE, texts->maxValue, sizeof texts->maxValue);
    return c;
}

static void OnSave(HWND dialog)
{
    char name[MAX_PATH] = "";
    if (!RunFileDialog(dialog, name, sizeof name,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST |
                           OFN_EXPLORER,
                       true))
        return;
    ShownTexts texts;
    SettingsSaveResult saved = SaveSettingsAs(dialog, name, ShownChoices(dialog, &texts));
    if (saved == SETTINGS_SAVE_DECLINED)
        return;  // the user keeps the file the appended name would have replaced
    MessageBoxA(dialog,
                saved == SETTINGS_SAVED ? "Settings successfully saved" : "Settings could not be saved successfully",
                kAppCaption, MB_OK);
}

// One step of a loaded file, on the controls; the folder and the units take effect at once.
static void ApplyLoadedStep(HWND dialog, const SettingsAction &step)
{
    bool minimum = step.limit == 0;
    switch (step.kind) {
    case SETTINGS_USE_DRIVES: ShowDrivesChoice(dialog); break;
    case SETTINGS_USE_FOLDER: TakeSearchFolder(dialog, step.text); break;
    case SETTINGS_NAMES_DEFAULT: ShowNamesChoice(dialog, IDC_ADV_DEFAULT_EXT); break;
    case SETTINGS_NAMES_EVERYTHING: ShowNamesChoice(dialog, IDC_ADV_EVERYTHING); break;
    case SETTINGS_NAMES_OWN:
        SetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, step.text);
        ShowNamesChoice(dialog, IDC_ADV_OWN_EXT);
        break;
    case SETTINGS_SIZE_OFF: Check(dialog, minimum ? IDC_ADV_MIN_CHECK : IDC_ADV_MAX_CHECK, false); break;
    case SETTINGS_SIZE_ON:
        Check(dialog, minimum ? IDC_ADV_MIN_CHECK : IDC_ADV_MAX_CHECK, true);
        SetDlgItemTextA(dialog, minimum ? IDC_ADV_MIN_VALUE : IDC_ADV_MAX_VALUE, step.text);
        break;
    case SETTINGS_SIZE_UNIT: {
        int box = minimum ? IDC_ADV_MIN_UNIT : IDC_ADV_MAX_UNIT;
        SendDlgItemMessageA(dialog, box, CB_SETCURSEL, static_cast<WPARAM>(step.unit), 0);
        UnitOfBox(box) = static_cast<SizeUnit>(step.unit);
        break;
    }
    default: break;
    }
}

// The steps apply in order: a bad line leaves what the lines before it did.
static void OnLoad(HWND dialog)
{
    char name[MAX_PATH] = "";
    if (!RunFileDialog(dialog, name, sizeof name, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER, false))
        return;
    SettingsParse steps;
    ReadSettingsFile(name, &steps);
    for (int i = 0; i < steps.count; ++i)
        ApplyLoadedStep(dialog, steps.actions[i]);
    if (steps.count == 0 || steps.actions[steps.count - 1].kind != SETTINGS_SUCCESS)
        MessageBoxA(dialog, "An invalid data found in the file. Settings might not have been loaded completely",
                    kAppCaption, MB_ICONWARNING);
}

static bool GoOnAnyway(HWND dialog, const char *question)
{
    return MessageBoxA(dialog, question, kAppCaption, MB_ICONWARNING | MB_YESNO) == IDYES;
}

// Commits one size limit; false when the user declines to go on with an invalid value.
static bool CommitSizeLimit(HWND dialog, int check, int valueBox, int room, const char *question, bool *on,
                            int *value)
{
    if (!IsOn(dialog, check)) {
        *on = false;
        return true;
    }
    char text[30] = "";
    GetDlgItemTextA(dialog, valueBox, text, room);
    int parsed = ParseSizeValue(text);
    if (parsed > 0) {
        *value = parsed;
        *on = true;
        return true;
    }
    if (!GoOnAnyway(dialog, question))
        return false;
    *on = false;
    return true;
}

// Commits step by step; a question answered No returns to the dialog with the earlier steps kept.
static void OnOk(HWND dialog)
{
    SearchSettings &s = g_settings;
    if (IsOn(dialog, IDC_ADV_FOLDER))
        s.folderSwitch = true;
    else if (IsOn(dialog, IDC_ADV_DRIVES))
        s.folderSwitch = false;

    s.ownExtensions = IsOn(dialog, IDC_ADV_OWN_EXT);
    if (s.ownExtensions) {
        char text[kExtensionTextMaxChars + 1] = "";
        GetDlgItemTextA(dialog, IDC_ADV_EXT_BOX, text, sizeof text);
        if (s.extensionText)
            std::memcpy(s.extensionText, text, std::strlen(text) + 1);
        if (!ParseExtensionList(text, &s)) {
            if (!GoOnAnyway(dialog, kExtensionQuestion))
                return;
            s.ownExtensions = false;
        }
    }
    s.searchEverything = IsOn(dialog, IDC_ADV_EVERYTHING);
    if (!CommitSizeLimit(dialog, IDC_ADV_MIN_CHECK, IDC_ADV_MIN_VALUE, 30, kSmallSizeQuestion, &s.minSwitch,
                         &s.minValue))
        return;
    if (!CommitSizeLimit(dialog, IDC_ADV_MAX_CHECK, IDC_ADV_MAX_VALUE, 10, kLargeSizeQuestion, &s.maxSwitch,
                         &s.maxValue))
        return;
    EndDialog(dialog, IDC_ADV_OK);
}

static void OnCommand(HWND dialog, int id, int notification)
{
    if (notification == CBN_SELCHANGE) {
        if (id == IDC_ADV_MIN_UNIT || id == IDC_ADV_MAX_UNIT)
            OnUnitChange(dialog, id);
        return;
    }
    switch (id) {
    case IDC_ADV_OK: OnOk(dialog); break;
    case IDC_ADV_CANCEL: EndDialog(dialog, IDC_ADV_CANCEL); break;
    case IDC_ADV_FOLDER: OnFolderChoice(dialog); break;
    case IDC_ADV_DRIVES: ShowDrivesChoice(dialog); break;
    case IDC_ADV_OWN_EXT:
    case IDC_ADV_DEFAULT_EXT:
    case IDC_ADV_EVERYTHING: ShowNamesChoice(dialog, id); break;
    case IDC_ADV_SAVE: OnSave(dialog); break;
    case IDC_ADV_LOAD: OnLoad(dialog); break;
    default: break;   // also 1 and 2 from Enter and Escape: Escape does not close the dialog
    }
}

static void OnInitDialog(HWND dialog)
{
    MakeFonts();
    MakeControls(dialog);
    ShowSettings(dialog);
}

static void OnDestroy()
{
    ReleaseFonts();
}

INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return StaticOnWhite(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(g_whiteBrush);
    case WM_CLOSE:
        EndDialog(dialog, IDC_ADV_CANCEL);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}
