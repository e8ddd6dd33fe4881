#include "export_rules.h"

#include <cstring>

bool AppendTxtExtension(char *path, size_t pathBytes)
{
    const char *dot = std::strrchr(path, '.');
    if (dot && std::strcmp(dot + 1, "txt") == 0)
        return true;
    size_t len = std::strlen(path);
    if (len + 5 > pathBytes)
        return false;
    std::memcpy(path + len, ".txt", 5);
    return true;
}
