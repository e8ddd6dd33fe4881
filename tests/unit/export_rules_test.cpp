// Where an export goes on after the user removed lines from the list it is writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"

namespace {

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
