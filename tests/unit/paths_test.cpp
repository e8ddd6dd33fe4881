// The window-free rules on paths and names: list lines, joins, parent folders, backslash runs,
// the ".txt" and ".svq" names, and the drive lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/drives.h"
#include "../../search/search_text.h"
#include "../../settings/settings_format.h"

namespace {

TEST(PathsTest, OnlyTheNumberPrefixPatternIsStripped)
{
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("(12) C:\\My Files\\a b.jpg"));
    EXPECT_STREQ("C:\\\\a.jpg", PathOfLine("(1) C:\\\\a.jpg"));
    for (const char *whole : {"C:\\My Files\\a b.jpg", "() x", "(1)x", "(1x) y", "(-1) x", " (1) x"})
        EXPECT_STREQ(whole, PathOfLine(whole));
}

// A folder and a name, given as "folder|name".
bool JoinAtBar(const char *both, char *out, size_t outBytes)
{
    std::string folder = both, name = folder.substr(folder.find('|') + 1);
    folder.resize(folder.find('|'));
    return JoinPath(out, outBytes, folder.c_str(), name.c_str()) == std::strlen(out);
}

// (rule, input, output); a null output: the rule gives false.
TEST(PathsTest, JoinsParentsAndBackslashRuns)
{
    using Rule = bool (*)(const char *, char *, size_t);
    const struct { Rule rule; const char *in, *out; } cases[] = {
        {ParentFolderOf, "C:\\Photos\\Summer\\a.jpg", "C:\\Photos\\Summer"},
        {ParentFolderOf, "C:\\\\a.jpg", "C:\\"},
        {ParentFolderOf, "C:\\\\Music\\a b.mp3", "C:\\\\Music"},
        {ParentFolderOf, "C:\\a.jpg", "C:\\"},
        {ParentFolderOf, "a.jpg", nullptr},
        {CollapseBackslashes, "C:\\\\Music\\\\a.mp3", "C:\\Music\\a.mp3"},
        {CollapseBackslashes, "\\\\srv\\\\share\\a", "\\\\srv\\share\\a"},
        {JoinAtBar, "C:\\|Music", "C:\\\\Music"},
        {JoinAtBar, "C:\\\\Music|*.*", "C:\\\\Music\\*.*"},
        {JoinAtBar, "C:\\Photos|a", "C:\\Photos\\a"},
    };
    for (const auto &c : cases) {
        char out[32] = "x";
        EXPECT_EQ(c.out != nullptr, c.rule(c.in, out, sizeof out)) << c.in;
        EXPECT_STREQ(c.out ? c.out : "", out) << c.in;
    }
}

// ".txt" is kept only as "txt" after the last dot; ".svq" likewise, where a dot that starts the
// name does not count.
TEST(PathsTest, TxtAndSvqNames)
{
    using Rule = bool (*)(char *, size_t);
    const struct { Rule rule; const char *typed, *named; } cases[] = {
        {AppendTxtExtension, "C:\\report.txt", "C:\\report.txt"},
        {AppendTxtExtension, "C:\\report.csv", "C:\\report.csv.txt"},
        {AppendTxtExtension, "C:\\REPORT.TXT", "C:\\REPORT.TXT.txt"},
        {AppendTxtExtension, "C:\\report.txtx", "C:\\report.txtx.txt"},
        {AppendTxtExtension, "C:\\my.dir\\report", "C:\\my.dir\\report.txt"},
        {AppendSettingsExtension, "C:\\x\\mine.svq", "C:\\x\\mine.svq"},
        {AppendSettingsExtension, "C:\\x\\mine", "C:\\x\\mine.svq"},
        {AppendSettingsExtension, "C:\\x\\mine.SVQ", "C:\\x\\mine.SVQ.svq"},
        {AppendSettingsExtension, "C:\\x\\mine.svq.", "C:\\x\\mine.svq..svq"},
        {AppendSettingsExtension, ".svq", ".svq.svq"},
    };
    for (const auto &c : cases) {
        char name[264] = "";
        std::snprintf(name, sizeof name, "%s", c.typed);
        EXPECT_TRUE(c.rule(name, sizeof name));
        EXPECT_STREQ(c.named, name);
    }
}

DriveKind KindByLetter(const char *root)
{
    return root[0] == 'A' || root[0] == 'E' ? DRIVE_KIND_REMOVABLE : root[0] == 'C' ? DRIVE_KIND_FIXED : DRIVE_KIND_OTHER;
}

// A: and E: removable, C: fixed, D: optical and N: network.
TEST(PathsTest, DriveListsKeepTheSelectorsKindsInOrder)
{
    const char roots[] = "A:\\\0C:\\\0D:\\\0E:\\\0N:\\\0";
    const struct { const char *selector, *kept; } cases[] = {
        {"all", "A:\\C:\\E:\\"}, {"removable", "A:\\E:\\"}, {"fixed", "C:\\"}, {"Fixed", ""}};
    DriveList list;
    for (const auto &c : cases) {
        BuildDriveList(roots, sizeof roots, c.selector, KindByLetter, &list);
        EXPECT_STREQ(c.kept, list.roots);
        EXPECT_EQ(static_cast<int>(std::strlen(c.kept) / 3), list.count);
    }
    const char cut[] = {'C', ':', '\\', '\0', 'A', ':', '\\'};   // the last root lost its terminator
    BuildDriveList(cut, sizeof cut, "all", KindByLetter, &list);
    EXPECT_STREQ("C:\\", list.roots);

    BuildDriveList(roots, sizeof roots, "all", KindByLetter, &list);
    char root[4];
    ASSERT_TRUE(DriveRoot(list, 2, root, sizeof root));
    EXPECT_STREQ("E:\\", root);
    EXPECT_FALSE(DriveRoot(list, 3, root, sizeof root));
    EXPECT_FALSE(DriveRoot(list, -1, root, sizeof root));
}

}  // namespace
