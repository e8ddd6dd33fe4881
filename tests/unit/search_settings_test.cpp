#include <gtest/gtest.h>

#include <string>

#include "../../settings/search_settings.h"

namespace {

class ExtensionListTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSearchSettings(&g_settings); }
    std::string Entry(int i) const { return g_settings.ownList[i]; }
};

TEST_F(ExtensionListTest, InvalidTextLeavesTheListAsItWas)
{
    ASSERT_TRUE(ParseExtensionList(".avi .jpg"));
    EXPECT_FALSE(ParseExtensionList(""));
    EXPECT_FALSE(ParseExtensionList("avi jpg"));
    EXPECT_EQ(2, g_settings.ownCount);
    EXPECT_EQ(".avi", Entry(0));
    EXPECT_EQ(".jpg", Entry(1));
}

TEST_F(ExtensionListTest, OnlyTheSpaceSeparatesEntries)
{
    ASSERT_TRUE(ParseExtensionList(".avi,.jpg"));
    EXPECT_EQ(1, g_settings.ownCount);
    EXPECT_EQ(".avi,.jpg", Entry(0));

    ASSERT_TRUE(ParseExtensionList(".doc, .pdf\t.x\r\n.y"));
    EXPECT_EQ(2, g_settings.ownCount);
    EXPECT_EQ(".doc,", Entry(0));
    EXPECT_EQ(".pdf\t.x\r\n.y", Entry(1));
}

TEST_F(ExtensionListTest, TextBeforeADotIsDroppedAndATrailingWordGivesAnEmptyEntry)
{
    ASSERT_TRUE(ParseExtensionList("avi .jpg"));
    EXPECT_EQ(1, g_settings.ownCount);
    EXPECT_EQ(".jpg", Entry(0));

    ASSERT_TRUE(ParseExtensionList("  .mp3"));
    EXPECT_EQ(1, g_settings.ownCount);
    EXPECT_EQ(".mp3", Entry(0));

    ASSERT_TRUE(ParseExtensionList(".a .b  x"));
    EXPECT_EQ(3, g_settings.ownCount);
    EXPECT_EQ(".a", Entry(0));
    EXPECT_EQ(".b", Entry(1));
    EXPECT_EQ("", Entry(2));

    ASSERT_TRUE(ParseExtensionList(".tar.gz ."));
    EXPECT_EQ(2, g_settings.ownCount);
    EXPECT_EQ(".tar.gz", Entry(0));
    EXPECT_EQ(".", Entry(1));
}

TEST_F(ExtensionListTest, EntryLengthLimitIsTwentyWithTheDot)
{
    std::string twenty = "." + std::string(19, 'x');
    ASSERT_TRUE(ParseExtensionList((".a " + twenty).c_str()));
    EXPECT_EQ(twenty, Entry(1));

    // The over-long entry ends the parse; what was stored before it stays stored and counted.
    EXPECT_FALSE(ParseExtensionList((".b .c " + twenty + "y .d").c_str()));
    EXPECT_EQ(2, g_settings.ownCount);
    EXPECT_EQ(".b", Entry(0));
    EXPECT_EQ(".c", Entry(1));
    EXPECT_EQ("", Entry(2));
}

TEST_F(ExtensionListTest, ASecondParseClearsTheEarlierEntries)
{
    ASSERT_TRUE(ParseExtensionList(".a .b .c .d .e"));
    ASSERT_TRUE(ParseExtensionList(".f .g"));
    EXPECT_EQ(2, g_settings.ownCount);
    for (int i = 2; i < kOwnExtensionSlots; ++i)
        EXPECT_EQ("", Entry(i)) << i;
}

TEST_F(ExtensionListTest, MoreThanAHundredEntriesIsInvalidAndStoresNoMore)
{
    std::string hundred, more;
    for (int i = 0; i < 100; ++i)
        hundred += ". ";
    ASSERT_TRUE(ParseExtensionList(hundred.c_str()));
    EXPECT_EQ(100, g_settings.ownCount);

    more = hundred + ".x";
    EXPECT_FALSE(ParseExtensionList(more.c_str()));
    EXPECT_EQ(100, g_settings.ownCount);
    EXPECT_EQ(".", Entry(99));
}

TEST(SizeValueTest, OnlyPositiveDecimalIntegersThatFitCount)
{
    EXPECT_EQ(7, ParseSizeValue("007"));
    EXPECT_EQ(1, ParseSizeValue("1"));
    EXPECT_EQ(2147483647, ParseSizeValue("2147483647"));
    EXPECT_EQ(2147483647, ParseSizeValue("0002147483647"));
    for (const char *bad : {"", "0", "000", "12 ", " 12", "-5", "+5", "1.5", "5KB", "1,000",
                            "2147483648", "99999999999999999999999999999"})
        EXPECT_EQ(0, ParseSizeValue(bad)) << '"' << bad << '"';
}

TEST(SizeLimitTest, EveryUnitIsWorkedOutInSixtyFourBits)
{
    EXPECT_EQ(1024u, SizeLimitBytes(1, "KB"));
    EXPECT_EQ(3145728000u, SizeLimitBytes(3000, "MB"));
    EXPECT_EQ(5368709120u, SizeLimitBytes(5, "GB"));
    EXPECT_EQ(2147483647ull * 1073741824ull, SizeLimitBytes(2147483647, "GB"));
    EXPECT_EQ(2147483647ull * 1024ull, SizeLimitBytes(2147483647, "KB"));
}

TEST(SearchSettingsTest, DefaultsOfAProgramStart)
{
    SearchSettings s;
    char text[8] = "kept";
    s.extensionText = text;
    s.folderSwitch = s.minSwitch = s.maxSwitch = true;
    ResetSearchSettings(&s);
    EXPECT_FALSE(s.folderSwitch || s.searchEverything || s.ownExtensions || s.minSwitch || s.maxSwitch);
    EXPECT_STREQ("KB", s.minUnit);
    EXPECT_STREQ("GB", s.maxUnit);
    EXPECT_EQ(text, s.extensionText);
    EXPECT_STREQ("", s.searchFolder);
    EXPECT_EQ(2, UnitIndex("GB"));
    EXPECT_STREQ("MB", UnitText(1));
}

}  // namespace
