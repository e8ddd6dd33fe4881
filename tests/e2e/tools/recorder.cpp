// Stands in for the program the shell would start: appends its command line to recorder.log
// beside itself, so that a test can see which path reached the shell, and with which verb.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char log[MAX_PATH + 16];
    DWORD n = GetModuleFileNameA(NULL, log, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    char *slash = std::strrchr(log, '\\');
    std::strcpy(slash ? slash + 1 : log, "recorder.log");
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char *line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
    return 0;
}
