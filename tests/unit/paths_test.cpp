// The window-free rules on paths and names: list lines, parent folders, backslash runs, the
// ".svq" names and the drive lists. Bounds are the fuzz target's.
#include <gtest/gtest.h>

#include <cstring>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/drives.h"
#include "../../search/search_text.h"
#include "../../settings/settings_format.h"

TEST(PathsTest, OnlyTheNumberPrefixPatternIsStripped)
{
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("(12) C:\\My Files\\a b.jpg"));
    for (const char *whole : {"() x", "(1)x", "(1x) y", "(-1) x", " (1) x"})
        EXPECT_STREQ(whole, PathOfLine(whole));
}

TEST(PathsTest, ParentsBackslashRunsJoinsAndExtensions)
{
    char out[32];
    for (const char *file : {"C:\\\\a.jpg", "C:\\a.jpg"}) {
        ASSERT_TRUE(ParentFolderOf(file, out, sizeof out));
        EXPECT_STREQ("C:\\", out);
    }
    ASSERT_TRUE(CollapseBackslashes("\\\\srv\\\\share\\a", out, sizeof out));
    EXPECT_STREQ("\\\\srv\\share\\a", out);
    // A dot that starts the name does not count.
    std::strcpy(out, ".svq");
    ASSERT_TRUE(AppendSettingsExtension(out, sizeof out));
    EXPECT_STREQ(".svq.svq", out);
    std::strcpy(out, "a.txtx");
    ASSERT_TRUE(AppendTxtExtension(out, sizeof out));
    EXPECT_STREQ("a.txtx.txt", out);
    // A drive root keeps its own backslash: the list shows "D:\\a.jpg".
    ASSERT_TRUE(JoinPath(out, sizeof out, "D:\\", "a.jpg") > 0);
    EXPECT_STREQ("D:\\\\a.jpg", out);
}

static DriveKind KindByLetter(const char *root)
{
    return root[0] == 'A' || root[0] == 'E' ? DRIVE_KIND_REMOVABLE : root[0] == 'C' ? DRIVE_KIND_FIXED : DRIVE_KIND_OTHER;
}

// A: and E: removable, C: fixed, D: optical and N: network.
TEST(PathsTest, DriveListsKeepTheSelectorsKindsInOrder)
{
    const char roots[] = "A:\\\0C:\\\0D:\\\0E:\\\0N:\\\0";
    const struct { const char *selector, *kept; } cases[] = {
        {"all", "A:\\C:\\E:\\"}, {"fixed", "C:\\"}, {"Fixed", ""}, {"removable", "A:\\E:\\"}};
    DriveList list;
    for (const auto &c : cases) {
        BuildDriveList(roots, sizeof roots, c.selector, KindByLetter, &list);
        EXPECT_STREQ(c.kept, list.roots);
        EXPECT_EQ(static_cast<int>(std::strlen(c.kept) / 3), list.count);
    }
}
