#include "drives.h"

#include <cstring>

void BuildDriveList(const char *buffer, int bufferLen, const char *selector,
                    DriveKind (*kindOf)(const char *root), DriveList *out)
{
    out->roots[0] = '\0';
    out->count = 0;
    bool wantFixed = std::strcmp(selector, "fixed") == 0 || std::strcmp(selector, "all") == 0;
    bool wantRemovable = std::strcmp(selector, "removable") == 0 || std::strcmp(selector, "all") == 0;
    size_t used = 0;
    int pos = 0;
    while (pos < bufferLen && buffer[pos] != '\0') {
        const char *root = buffer + pos;
        const void *nul = std::memchr(root, '\0', static_cast<size_t>(bufferLen - pos));
        if (!nul)
            break;  // an unterminated last root is not a root
        size_t len = static_cast<size_t>(static_cast<const char *>(nul) - root);
        DriveKind kind = kindOf(root);
        bool take = (kind == DRIVE_KIND_FIXED && wantFixed) || (kind == DRIVE_KIND_REMOVABLE && wantRemovable);
        if (take && len > 0 && root[len - 1] == '\\' && used + len < sizeof out->roots) {
            std::memcpy(out->roots + used, root, len);
            used += len;
            out->roots[used] = '\0';
            ++out->count;
        }
        pos += static_cast<int>(len) + 1;
    }
}

bool DriveRoot(const DriveList &list, int i, char *out, int outBytes)
{
    if (i < 0 || i >= list.count)
        return false;
    const char *p = list.roots;
    for (int k = 0; k < i; ++k) {
        p = std::strchr(p, '\\');
        if (!p)
            return false;
        ++p;
    }
    const char *end = std::strchr(p, '\\');
    if (!end || end - p + 2 > outBytes)
        return false;
    size_t n = static_cast<size_t>(end - p) + 1;
    std::memcpy(out, p, n);
    out[n] = '\0';
    return true;
}
