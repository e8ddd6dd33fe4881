#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace
