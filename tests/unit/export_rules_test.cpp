#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../../export/export_rules.h"

namespace {

std::string Named(const char *typed)
{
    char path[kExportPathBytes] = {};
    std::strncpy(path, typed, sizeof path - 1);
    EXPECT_TRUE(AppendTxtExtension(path, sizeof path));
    return path;
}

TEST(ExportRulesTest, OnlyASmallLetterTxtExtensionIsKept)
{
    EXPECT_EQ("C:\\report.txt", Named("C:\\report.txt"));
    EXPECT_EQ("C:\\report.csv.txt", Named("C:\\report.csv"));
    EXPECT_EQ("C:\\REPORT.TXT.txt", Named("C:\\REPORT.TXT"));
    EXPECT_EQ("C:\\report.txt.txt.txt", Named("C:\\report.txt.txt.txt"));
    EXPECT_EQ("C:\\report.txtx.txt", Named("C:\\report.txtx"));
    EXPECT_EQ("C:\\report..txt", Named("C:\\report."));
    EXPECT_EQ("C:\\my.dir\\report.txt", Named("C:\\my.dir\\report"));
}

TEST(ExportRulesTest, TheLongestDialogNameStillGetsItsExtension)
{
    std::string longest = "C:\\" + std::string(256, 'n');  // 259 characters, as the dialog may fill
    EXPECT_EQ(longest + ".txt", Named(longest.c_str()));
    char tight[8] = "C:\\abcd";
    EXPECT_FALSE(AppendTxtExtension(tight, sizeof tight));
    EXPECT_STREQ("C:\\abcd", tight);
}

// An export that wrote lines 0 .. next-1 of `before`; the user then removed some lines, leaving
// `after`. Where it goes on, as the index of the first line still to write in `after`.
int Resume(const std::vector<std::string> &before, int next, const std::vector<std::string> &after)
{
    static ExportTrail trail;
    ClearTrail(&trail);
    for (int i = 0; i < next; ++i)
        AddToTrail(&trail, PathOfLine(before[i].c_str()));
    std::vector<std::string> lines = after;
    return ResumeIndex(trail, next, static_cast<int>(before.size() - after.size()), static_cast<int>(after.size()),
                       [](int i, void *v) { return PathOfLine((*static_cast<std::vector<std::string> *>(v))[i].c_str()); },
                       &lines);
}

std::vector<std::string> Lines(int n, int without1 = -1, int without2 = -1)
{
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        if (i != without1 && i != without2)
            lines.push_back("(" + std::to_string(i + 1) + ") D:\\f" + std::to_string(i) + ".jpg");
    return lines;
}

TEST(ExportRulesTest, AnExportGoesOnAfterTheLastWrittenLineThatIsStillListed)
{
    std::vector<std::string> all = Lines(20);
    EXPECT_EQ(0, Resume(all, 0, Lines(20, 3)));          // nothing written yet
    EXPECT_EQ(9, Resume(all, 10, Lines(20, 3)));         // a written line went: the rest move up
    EXPECT_EQ(8, Resume(all, 10, Lines(20, 0, 5)));
    EXPECT_EQ(10, Resume(all, 10, Lines(20, 10, 15)));   // lines not yet written went: they are skipped
    EXPECT_EQ(9, Resume(all, 10, Lines(20, 9)));         // the line written last went
    EXPECT_EQ(8, Resume(all, 10, Lines(20, 8, 9)));
    EXPECT_EQ(19, Resume(all, 20, Lines(20, 19)));        // all written, the last removed
    EXPECT_EQ(0, Resume(all, 1, Lines(20, 0)));

    // The numbers removed meanwhile: the path still tells where the export stands.
    std::vector<std::string> plain = Lines(20, 3);
    for (std::string &line : plain)
        line = PathOfLine(line.c_str());
    EXPECT_EQ(9, Resume(all, 10, plain));

    // Only the oldest line of the trail left, moved up by removals before it as well.
    std::vector<std::string> few;
    for (int i = 0; i < 20; ++i)
        if (i == 10 - kTrailLines || i >= 10)
            few.push_back(all[i]);
    EXPECT_EQ(1, Resume(all, 10, few));
    // Every line of the trail removed: the place is lost.
    few.erase(few.begin());
    EXPECT_EQ(-1, Resume(all, 10, few));
}

}  // namespace
