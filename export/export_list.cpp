// Placeholder until the export lands.
#include "export_list.h"
DWORD WINAPI ExportList(LPVOID) { return 0; }
