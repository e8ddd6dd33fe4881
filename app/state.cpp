#include "state.h"

// Every path of the program is text in this code page: its scans for a backslash step over the
// second byte of a two-byte character, which may be one.
static LeadBytes SystemLeadBytes()
{
    LeadBytes code = {};
    for (int b = 0; b < 256; ++b)
        code.lead[b] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != FALSE;
    return code;
}

HINSTANCE g_instance;
HBRUSH g_whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
HWND g_mainWindow;
std::atomic<int> g_searchState(SEARCH_IDLE);
std::atomic<bool> g_sending(false);
std::atomic<bool> g_numbered(true);
char g_selectedPath[kLineBytes];
int g_selectedIndex = -1;
std::atomic<uint64_t> g_listedBytes(0);
std::atomic<int> g_foundCount(0);
std::atomic<bool> g_listPaced(false);
HWND g_progressWindow;
HWND g_resultList;
HWND g_statusLine;
HWND g_startButton;
HWND g_advancedButton;
HWND g_mediaBoxes[3];
HWND *g_driveBoxes;
DriveList g_searchDrives;
DriveList g_sendDrives;
LeadBytes g_leadBytes = SystemLeadBytes();
HMENU g_menuBar;
SearchSettings g_settings = {false, "", false, false, nullptr, {}, 0, false, 0, UNIT_KB, false, 0, UNIT_GB};
