#include "controls.h"

#include <shlobj.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "state.h"

const char kAppCaption[] = "Sorvane 1.0";

HFONT MakeFont(int height, int weight, bool italic, const char *face)
{
    return CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, 0, 0, 0, 0, 0, face);
}

HWND MakeControl(HWND parent, const char *cls, const char *text, DWORD style, int x, int y, int w, int h, int id,
                 HFONT font)
{
    HWND control = CreateWindowExA(0, cls, text, style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, NULL);
    if (font)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return control;
}

INT_PTR StaticOnWhite(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(g_whiteBrush);
}

bool BrowseForFolder(HWND owner, const char *title, char *path)
{
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    path[0] = '\0';
    wchar_t wide[MAX_PATH];
    bool ok = chosen && SHGetPathFromIDListW(chosen, wide) &&
              ExactAnsiName(wide, path, MAX_PATH, SystemAnsiOfWide, SystemWideOfAnsi);
    if (chosen)
        ILFree(chosen);
    return ok;
}

int SystemAnsiOfWide(const wchar_t *wide, char *out, int outBytes)
{
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, out, outBytes, NULL, NULL);
}

int SystemWideOfAnsi(const char *ansi, wchar_t *out, int outChars)
{
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, -1, out, outChars);
}

static_assert(sizeof(void *) != 4 || offsetof(OPENFILENAMEA, pvReserved) == 76, "the classic OPENFILENAMEA");

OPENFILENAMEA FileDialogRecord(bool classic, const char *filter, char *name, DWORD nameChars, DWORD flags,
                               const char *defaultExtension)
{
    OPENFILENAMEA record = {};
    record.lStructSize = classic ? offsetof(OPENFILENAMEA, pvReserved) : sizeof record;
    record.hwndOwner = g_mainWindow;
    record.lpstrFilter = filter;
    record.lpstrFile = name;
    record.nMaxFile = nameChars;
    record.Flags = flags;
    record.lpstrDefExt = defaultExtension;
    return record;
}

bool MayReplaceExtendedName(HWND owner, const char *typed, const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (std::strcmp(typed, path) == 0 || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;  // a folder of that name cannot be replaced: writing will say so
    char question[MAX_PATH + 64];
    std::snprintf(question, sizeof question, "%s already exists.\nDo you want to replace it?", path);
    return MessageBoxA(owner, question, kAppCaption, MB_ICONWARNING | MB_YESNO) == IDYES;
}

void WaitDispatchingMessages(HANDLE object)
{
    // What is already queued first: MsgWaitForMultipleObjects wakes only for input that
    // arrives after the thread last looked.
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
            return;
    }
}
