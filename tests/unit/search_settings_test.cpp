#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../settings/search_settings.h"

namespace {

using Strings = std::vector<std::string>;

class ExtensionListTest : public ::testing::Test {
protected:
    SearchSettings settings = {};
    std::string Entry(int i) const { return settings.ownList[i]; }
    // The counted entries after parsing text, which must be valid.
    Strings Parsed(const std::string &text)
    {
        EXPECT_TRUE(ParseExtensionList(text.c_str(), &settings)) << text;
        return Strings(settings.ownList, settings.ownList + settings.ownCount);
    }
};

TEST_F(ExtensionListTest, InvalidTextLeavesTheListAsItWas)
{
    ASSERT_EQ((Strings{".avi", ".jpg"}), Parsed(".avi .jpg"));
    EXPECT_FALSE(ParseExtensionList("", &settings));
    EXPECT_FALSE(ParseExtensionList("avi jpg", &settings));
    EXPECT_EQ(2, settings.ownCount);
    EXPECT_EQ(".avi", Entry(0));
    EXPECT_EQ(".jpg", Entry(1));
}

TEST_F(ExtensionListTest, OnlyTheSpaceSeparatesEntries)
{
    EXPECT_EQ((Strings{".avi,.jpg"}), Parsed(".avi,.jpg"));
    EXPECT_EQ((Strings{".doc,", ".pdf\t.x\r\n.y"}), Parsed(".doc, .pdf\t.x\r\n.y"));
}

TEST_F(ExtensionListTest, TextBeforeADotIsDroppedAndATrailingWordGivesAnEmptyEntry)
{
    EXPECT_EQ((Strings{".jpg"}), Parsed("avi .jpg"));
    EXPECT_EQ((Strings{".mp3"}), Parsed("  .mp3"));
    EXPECT_EQ((Strings{".a", ".b", ""}), Parsed(".a .b  x"));
    EXPECT_EQ((Strings{".tar.gz", "."}), Parsed(".tar.gz ."));
}

TEST_F(ExtensionListTest, EntryLengthLimitIsTwentyWithTheDot)
{
    std::string twenty = "." + std::string(19, 'x');
    EXPECT_EQ((Strings{".a", twenty}), Parsed(".a " + twenty));

    // The over-long entry ends the parse; what was stored before it stays stored and counted.
    EXPECT_FALSE(ParseExtensionList((".b .c " + twenty + "y .d").c_str(), &settings));
    EXPECT_EQ(2, settings.ownCount);
    EXPECT_EQ(".b", Entry(0));
    EXPECT_EQ(".c", Entry(1));
    EXPECT_EQ("", Entry(2));
}

TEST_F(ExtensionListTest, ASecondParseClearsTheEarlierEntries)
{
    ASSERT_TRUE(ParseExtensionList(".a .b .c .d .e", &settings));
    ASSERT_TRUE(ParseExtensionList(".f .g", &settings));
    EXPECT_EQ(2, settings.ownCount);
    for (int i = 2; i < kOwnExtensionSlots; ++i)
        EXPECT_EQ("", Entry(i)) << i;
}

TEST_F(ExtensionListTest, MoreThanAHundredEntriesIsInvalidAndStoresNoMore)
{
    std::string hundred, more;
    for (int i = 0; i < 100; ++i)
        hundred += ". ";
    ASSERT_TRUE(ParseExtensionList(hundred.c_str(), &settings));
    EXPECT_EQ(100, settings.ownCount);

    more = hundred + ".x";
    EXPECT_FALSE(ParseExtensionList(more.c_str(), &settings));
    EXPECT_EQ(100, settings.ownCount);
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
    EXPECT_EQ(1024u, SizeLimitBytes(1, UNIT_KB));
    EXPECT_EQ(3145728000u, SizeLimitBytes(3000, UNIT_MB));
    EXPECT_EQ(5368709120u, SizeLimitBytes(5, UNIT_GB));
    EXPECT_EQ(2147483647ull * 1073741824ull, SizeLimitBytes(2147483647, UNIT_GB));
    EXPECT_EQ(2147483647ull * 1024ull, SizeLimitBytes(2147483647, UNIT_KB));
}

}  // namespace
