// Which files a search keeps: the extension rules, the own list as typed, the size limits to
// the byte, and the folders the walker never enters.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../../search/match.h"
#include "../../settings/search_settings.h"

const MediaSwitches kAll = {true, true, true}, kNone = {false, false, false};
const uint64_t KB = 1024, MB = KB * KB, GB = MB * KB;

TEST(MatchTest, ExtensionsByTheMediaSwitchesTheOwnListOrEverything)
{
    SearchSettings settings = {};
    const MediaSwitches imagesAndVideo = {true, false, true};
    EXPECT_TRUE(MatchesSearch("D:\\\\x\\y.JpG", 0, settings, imagesAndVideo));
    EXPECT_FALSE(MatchesSearch("D:\\\\Docs.mp3\\readme", 0, settings, kAll));
    EXPECT_FALSE(MatchesSearch("a.wav", 0, settings, imagesAndVideo));

    settings.ownExtensions = true;
    ASSERT_TRUE(ParseExtensionList(".JPG .gz", &settings));
    for (const char *listed : {"D:\\\\a.jpg", "D:\\\\c.tar.gz"})
        EXPECT_TRUE(MatchesSearch(listed, 0, settings, kNone)) << listed;
    for (const char *not_listed : {"D:\\\\d.mp3", "D:\\\\x.\xC9JPG"})
        EXPECT_FALSE(MatchesSearch(not_listed, 0, settings, kAll)) << not_listed;
    settings.searchEverything = true;
    EXPECT_TRUE(MatchesSearch("D:\\\\Docs.old\\readme", 0, settings, kNone));
}

// Each limit to the byte, also past 32 bits, and before "Search for everything".
TEST(MatchTest, SizeLimits)
{
    const struct { bool max; int value; SizeUnit unit; uint64_t size; bool listed; } cases[] = {
        {false, 10, UNIT_KB, 10 * KB, true},      {false, 10, UNIT_KB, 10 * KB - 1, false},
        {true, 1, UNIT_MB, MB, true},             {true, 1, UNIT_MB, MB + 1, false},
        {true, 5, UNIT_GB, 5 * GB + 1, false},    {false, 2147483647, UNIT_GB, 2147483647 * GB - 1, false},
    };
    for (const auto &c : cases) {
        SearchSettings settings = {};
        settings.searchEverything = true;
        (c.max ? settings.maxSwitch : settings.minSwitch) = true;
        (c.max ? settings.maxValue : settings.minValue) = c.value;
        (c.max ? settings.maxUnit : settings.minUnit) = c.unit;
        EXPECT_EQ(c.listed, MatchesSearch("a", c.size, settings, kNone)) << c.size;
    }
}

TEST(FolderNameTest, OnlyTheExactRecycleBinNamesAndDotsAreSkipped)
{
    for (const char *name : {".", "..", "$RECYCLE.BIN", "$Recycle.Bin"})
        EXPECT_TRUE(IsSkippedFolderName(name)) << name;
    EXPECT_FALSE(IsSkippedFolderName("$recycle.bin"));
}

// An entry runs from a dot to the next blank, 20 characters at most; text before a dot is
// skipped, a rest without one gives an empty entry; 100 entries at most. Entries before a bad one
// stay; a text without a dot changes nothing.
TEST(ExtensionListTest, EntriesRunFromADotToTheNextSpace)
{
    using Strings = std::vector<std::string>;
    std::string twenty = "." + std::string(19, 'x'), hundred;
    for (int i = 0; i < 100; ++i)
        hundred += ". ";
    SearchSettings settings = {};
    const struct { std::string text; bool valid; Strings entries; } cases[] = {
        {"avi  .a " + twenty + " x", true, {".a", twenty, ""}}, {".b " + twenty + "y .d", false, {".b"}},
        {"avi jpg", false, {".b"}},                             {hundred + ".x", false, Strings(100, ".")}};
    for (const auto &c : cases) {
        EXPECT_EQ(c.valid, ParseExtensionList(c.text.c_str(), &settings)) << c.text;
        EXPECT_EQ(c.entries, Strings(settings.ownList, settings.ownList + settings.ownCount)) << c.text;
    }
}
