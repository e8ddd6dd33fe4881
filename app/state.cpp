#include "state.h"

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
HMENU g_menuBar;
SearchSettings g_settings = {false, "", false, false, nullptr, {}, 0, false, 0, UNIT_KB, false, 0, UNIT_GB};
