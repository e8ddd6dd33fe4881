// Writing the result list to a text file.
#ifndef SORVANE_EXPORT_LIST_H
#define SORVANE_EXPORT_LIST_H

#include <windows.h>

DWORD WINAPI ExportList(LPVOID);

#endif
