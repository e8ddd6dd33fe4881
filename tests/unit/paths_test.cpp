// The window-free rules on paths and names: list lines, joins, parent folders, backslash runs,
// the ".txt" and ".svq" names, the drive lists, and where an export goes on after the user
// removed lines from the list it is writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
        {ParentFolderOf, "C:\\a.jpg", "C:\\"},
        {ParentFolderOf, "a.jpg", nullptr},
        {CollapseBackslashes, "C:\\\\Music\\\\a.mp3", "C:\\Music\\a.mp3"},
        {CollapseBackslashes, "\\\\srv\\\\share\\a", "\\\\srv\\share\\a"},
        {JoinAtBar, "C:\\|Music", "C:\\\\Music"},
        {JoinAtBar, "C:\\\\Music|*.*", "C:\\\\Music\\*.*"},
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
        {AppendTxtExtension, "C:\\REPORT.TXT", "C:\\REPORT.TXT.txt"},
        {AppendTxtExtension, "C:\\report.txtx", "C:\\report.txtx.txt"},
        {AppendTxtExtension, "C:\\my.dir\\report", "C:\\my.dir\\report.txt"},
        {AppendSettingsExtension, "C:\\x\\mine.svq", "C:\\x\\mine.svq"},
        {AppendSettingsExtension, "C:\\x\\mine.SVQ", "C:\\x\\mine.SVQ.svq"},
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
        {"all", "A:\\C:\\E:\\"}, {"removable", "A:\\E:\\"}, {"fixed", "C:\\"}, {"Fixed", ""}, {"removable", "A:\\E:\\"}};
    DriveList list;
    for (const auto &c : cases) {
        BuildDriveList(roots, sizeof roots, c.selector, KindByLetter, &list);
        EXPECT_STREQ(c.kept, list.roots);
        EXPECT_EQ(static_cast<int>(std::strlen(c.kept) / 3), list.count);
    }
    char root[4];
    ASSERT_TRUE(DriveRoot(list, 1, root, sizeof root));   // the last list: "removable"
    EXPECT_STREQ("E:\\", root);
    EXPECT_FALSE(DriveRoot(list, 2, root, sizeof root));
}

using Lines = std::vector<std::string>;

// An export that wrote lines 0 .. next-1 of twenty; the user then removed some lines, leaving
// `after`. Where it goes on, as the index of the first line still to write in `after`.
int Resume(const Lines &all, int next, Lines after)
{
    static ExportTrail trail;
    ClearTrail(&trail);
    for (int i = 0; i < next; ++i)
        AddToTrail(&trail, PathOfLine(all[i].c_str()));
    return ResumeIndex(trail, next, static_cast<int>(all.size() - after.size()), static_cast<int>(after.size()),
                       [](int i, void *v) { return PathOfLine((*static_cast<Lines *>(v))[i].c_str()); }, &after);
}

TEST(ExportRulesTest, AnExportGoesOnAfterTheLastWrittenLineThatIsStillListed)
{
    Lines all;
    for (int i = 0; i < 20; ++i)
        all.push_back("(" + std::to_string(i + 1) + ") D:\\f" + std::to_string(i) + ".jpg");
    auto without = [&](std::initializer_list<int> gone, bool plain = false) {
        Lines lines;
        for (int i = 0; i < 20; ++i)
            if (std::find(gone.begin(), gone.end(), i) == gone.end())
                lines.push_back(plain ? PathOfLine(all[i].c_str()) : all[i]);
        return lines;
    };
    EXPECT_EQ(0, Resume(all, 0, without({3})));            // nothing written yet
    EXPECT_EQ(8, Resume(all, 10, without({0, 5})));        // written lines went: the rest move up
    EXPECT_EQ(10, Resume(all, 10, without({10, 15})));     // lines not yet written went: they are skipped
    EXPECT_EQ(8, Resume(all, 10, without({8, 9})));        // the lines written last went
    EXPECT_EQ(19, Resume(all, 20, without({19})));         // all written, the last removed
    EXPECT_EQ(9, Resume(all, 10, without({3}, true)));     // numbers removed: the path tells
    // Only the oldest line of the trail left, moved up by removals before it as well.
    Lines few = without({});
    few.erase(few.begin() + 10 - kTrailLines + 1, few.begin() + 10);
    few.erase(few.begin(), few.begin() + 10 - kTrailLines);
    EXPECT_EQ(1, Resume(all, 10, few));
    few.erase(few.begin());   // every line of the trail removed: the place is lost
    EXPECT_EQ(-1, Resume(all, 10, few));
}

}  // namespace
