#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "../../search/match.h"
#include "../../settings/search_settings.h"

namespace {

const MediaSwitches kAll = {true, true, true};
const MediaSwitches kNone = {false, false, false};

template <size_t N>
std::string Joined(const char *const (&table)[N])
{
    std::string all;
    for (const char *e : table)
        all += std::string(" ") + e;
    return all;
}

class MatchTest : public ::testing::Test {
protected:
    SearchSettings settings = {};
    void Min(int value, SizeUnit unit)
    {
        settings.minSwitch = true;
        settings.minValue = value;
        settings.minUnit = unit;
    }
    void Max(int value, SizeUnit unit)
    {
        settings.maxSwitch = true;
        settings.maxValue = value;
        settings.maxUnit = unit;
    }
    static std::string Ext(const char *path)
    {
        char out[32];
        return ExtensionOfPath(path, out, sizeof out) ? std::string(out) : std::string("<too long>");
    }
};

TEST_F(MatchTest, ExtensionIsTakenAfterTheLastDotOfTheWholePath)
{
    EXPECT_EQ("gz", Ext("D:\\\\archive.tar.gz"));
    EXPECT_EQ("old\\readme", Ext("D:\\\\Docs.old\\readme"));
    EXPECT_EQ("", Ext("D:\\\\Docs\\readme"));
    EXPECT_EQ("", Ext("D:\\\\a."));
    EXPECT_EQ("jpg", Ext("D:\\\\PHOTO.JPG"));
    // Only A-Z are lowered; other bytes stay.
    EXPECT_EQ("\xC9x", Ext("D:\\\\a.\xC9X"));
    EXPECT_EQ("<too long>", Ext("D:\\\\a.0123456789012345678901234567890123456789"));
}

TEST_F(MatchTest, DefaultTablesFollowTheMediaSwitches)
{
    for (const char *jpg : {"D:\\\\PHOTO.JPG", "D:\\\\photo.JpG", "D:\\\\x\\y.bmp"})
        EXPECT_TRUE(MatchesSearch(jpg, 0, settings, kAll)) << jpg;
    EXPECT_FALSE(MatchesSearch("D:\\\\photo.jpeg", 0, settings, kAll));
    EXPECT_FALSE(MatchesSearch("D:\\\\archive.tar.gz", 0, settings, kAll));
    EXPECT_FALSE(MatchesSearch("D:\\\\Docs.old\\readme", 0, settings, kAll));
    EXPECT_FALSE(MatchesSearch("D:\\\\Docs.mp3\\readme", 0, settings, kAll));

    const MediaSwitches imagesOnly = {true, false, false};
    const MediaSwitches audioOnly = {false, true, false};
    const MediaSwitches videoOnly = {false, false, true};
    EXPECT_TRUE(MatchesSearch("a.gif", 0, settings, imagesOnly));
    EXPECT_FALSE(MatchesSearch("a.wav", 0, settings, imagesOnly));
    EXPECT_TRUE(MatchesSearch("a.wav", 0, settings, audioOnly));
    EXPECT_FALSE(MatchesSearch("a.3gp", 0, settings, audioOnly));
    EXPECT_TRUE(MatchesSearch("a.3gp", 0, settings, videoOnly));
    EXPECT_FALSE(MatchesSearch("a.3gp", 0, settings, kNone));

    // The tables in their order, as the media boxes name them.
    EXPECT_EQ(" jpg png gif tif bmp", Joined(kImageExtensions));
    EXPECT_EQ(" mp3 wma aac wav", Joined(kAudioExtensions));
    EXPECT_EQ(" avi mp4 wmv mkv mpg mov flv 3gp", Joined(kVideoExtensions));
}

TEST_F(MatchTest, OwnListOverridesTheTablesAndSearchEverythingOverridesBoth)
{
    settings.ownExtensions = true;
    ASSERT_TRUE(ParseExtensionList(".JPG .tar", &settings));
    EXPECT_TRUE(MatchesSearch("D:\\\\a.jpg", 0, settings, kNone));
    EXPECT_TRUE(MatchesSearch("D:\\\\b.Jpg", 0, settings, kNone));
    EXPECT_TRUE(MatchesSearch("D:\\\\c.TAR", 0, settings, kNone));
    EXPECT_FALSE(MatchesSearch("D:\\\\c.tar.gz", 0, settings, kNone));
    EXPECT_FALSE(MatchesSearch("D:\\\\d.mp3", 0, settings, kAll));  // media switches play no part
    EXPECT_STREQ(".JPG", settings.ownList[0]);                      // the stored list is not lowered

    settings.ownCount = 0;
    EXPECT_FALSE(MatchesSearch("D:\\\\a.jpg", 0, settings, kAll));

    settings.searchEverything = true;
    EXPECT_TRUE(MatchesSearch("D:\\\\Docs.old\\readme", 0, settings, kNone));
    EXPECT_TRUE(MatchesSearch("D:\\\\noext", 0, settings, kNone));
}

TEST_F(MatchTest, SizeLimitsHoldAtTheirExactBytes)
{
    settings.searchEverything = true;
    Min(10, UNIT_KB);
    EXPECT_TRUE(MatchesSearch("a", 10 * 1024, settings, kNone));
    EXPECT_FALSE(MatchesSearch("a", 10 * 1024 - 1, settings, kNone));
    Max(1, UNIT_MB);
    EXPECT_TRUE(MatchesSearch("a", 1048576, settings, kNone));
    EXPECT_FALSE(MatchesSearch("a", 1048577, settings, kNone));

    // Beyond 32 bits: a minimum of 3000 MB.
    settings = SearchSettings();
    settings.searchEverything = true;
    Min(3000, UNIT_MB);
    const uint64_t gb = 1073741824ULL;
    EXPECT_TRUE(MatchesSearch("a", 3 * gb, settings, kNone));
    EXPECT_FALSE(MatchesSearch("a", 2 * gb, settings, kNone));
    EXPECT_TRUE(MatchesSearch("a", 3000ULL * 1048576, settings, kNone));
    EXPECT_FALSE(MatchesSearch("a", 3000ULL * 1048576 - 1, settings, kNone));

    // A maximum above 4 GB, and a file above 4 GB whose low 32 bits are small.
    settings = SearchSettings();
    settings.searchEverything = true;
    Max(5, UNIT_GB);
    EXPECT_TRUE(MatchesSearch("a", 5 * gb, settings, kNone));
    EXPECT_FALSE(MatchesSearch("a", 5 * gb + 1, settings, kNone));
    Min(1, UNIT_KB);
    EXPECT_TRUE(MatchesSearch("a", 4 * gb + 1024, settings, kNone));

    // Minimum above maximum: nothing passes.
    Min(2, UNIT_MB);
    Max(1, UNIT_MB);
    for (uint64_t size : {0ULL, 1048576ULL, 1572864ULL, 2097152ULL})
        EXPECT_FALSE(MatchesSearch("a", size, settings, kNone)) << size;
}

TEST_F(MatchTest, SizeLimitsComeBeforeTheExtension)
{
    Max(1, UNIT_KB);
    EXPECT_TRUE(MatchesSearch("a.jpg", 1024, settings, kAll));
    EXPECT_FALSE(MatchesSearch("a.jpg", 1025, settings, kAll));
}

TEST(FolderNameTest, OnlyTheExactRecycleBinNamesAndDotsAreSkipped)
{
    for (const char *name : {".", "..", "$RECYCLE.BIN", "$Recycle.Bin"})
        EXPECT_TRUE(IsSkippedFolderName(name)) << name;
    for (const char *name : {"$recycle.bin", "$RECYCLE.BIN2", "...", ".git", "Recycle.Bin", ""})
        EXPECT_FALSE(IsSkippedFolderName(name)) << name;
}

}  // namespace
