// Which files a search keeps: the extension rules, the own list as typed, the size limits to
// the byte, and the folders the walker never enters.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "../../search/match.h"
#include "../../settings/search_settings.h"

namespace {

const MediaSwitches kAll = {true, true, true}, kNone = {false, false, false};
const uint64_t KB = 1024, MB = KB * KB, GB = MB * KB;

class MatchTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSearchSettings(&g_settings); }
};

TEST_F(MatchTest, ExtensionsByTheMediaSwitchesTheOwnListOrEverything)
{
    const MediaSwitches images = {true, false, false}, audio = {false, true, false}, video = {false, false, true};
    const struct { const char *path; MediaSwitches media; bool listed; } tables[] = {
        {"D:\\\\PHOTO.JPG", kAll, true},       {"D:\\\\x\\y.JpG", images, true},
        {"D:\\\\photo.jpeg", kAll, false},     {"D:\\\\Docs.mp3\\readme", kAll, false},
        {"a.wav", images, false},              {"a.wav", audio, true},
        {"a.3gp", audio, false},               {"a.3gp", video, true},
        {"a.3gp", kNone, false},
    };
    for (const auto &t : tables)
        EXPECT_EQ(t.listed, MatchesSearch(t.path, 0, t.media)) << t.path;

    g_settings.ownExtensions = true;
    ASSERT_TRUE(ParseExtensionList(".JPG .gz"));
    for (const char *listed : {"D:\\\\a.jpg", "D:\\\\b.Jpg", "D:\\\\c.tar.gz"})
        EXPECT_TRUE(MatchesSearch(listed, 0, kNone)) << listed;
    for (const char *not_listed : {"D:\\\\d.mp3", "D:\\\\x.\xC9JPG"})
        EXPECT_FALSE(MatchesSearch(not_listed, 0, kAll)) << not_listed;
    g_settings.ownCount = 0;
    EXPECT_FALSE(MatchesSearch("D:\\\\a.jpg", 0, kAll));
    g_settings.searchEverything = true;
    EXPECT_TRUE(MatchesSearch("D:\\\\Docs.old\\readme", 0, kNone));
}

// Each limit to the byte, also past 32 bits, and before the extension.
TEST_F(MatchTest, SizeLimits)
{
    struct Limit { bool on; int value; const char *unit; };
    const struct { Limit min, max; uint64_t size; bool listed; } cases[] = {
        {{true, 10, "KB"}, {}, 10 * KB, true},         {{true, 10, "KB"}, {}, 10 * KB - 1, false},
        {{}, {true, 1, "MB"}, MB, true},               {{}, {true, 1, "MB"}, MB + 1, false},
        {{true, 3000, "MB"}, {}, 3 * GB, true},        {{true, 3000, "MB"}, {}, 2 * GB, false},
        {{true, 3000, "MB"}, {}, 3000 * MB - 1, false},
        {{}, {true, 5, "GB"}, 5 * GB, true},           {{}, {true, 5, "GB"}, 5 * GB + 1, false},
        {{true, 1, "KB"}, {true, 5, "GB"}, 4 * GB + KB, true},
        {{true, 2, "MB"}, {true, 1, "MB"}, MB, false}, {{true, 2, "MB"}, {true, 1, "MB"}, 2 * MB, false},
        {{true, 2147483647, "GB"}, {}, 2147483647 * GB - 1, false},
    };
    for (const auto &c : cases) {
        g_settings.searchEverything = true;
        g_settings.minSwitch = c.min.on;
        g_settings.minValue = c.min.value;
        std::strcpy(g_settings.minUnit, c.min.unit ? c.min.unit : "KB");
        g_settings.maxSwitch = c.max.on;
        g_settings.maxValue = c.max.value;
        std::strcpy(g_settings.maxUnit, c.max.unit ? c.max.unit : "GB");
        EXPECT_EQ(c.listed, MatchesSearch("a", c.size, kNone)) << c.size;
    }
    ResetSearchSettings(&g_settings);
    g_settings.maxSwitch = true;
    g_settings.maxValue = 1;   // GB
    EXPECT_TRUE(MatchesSearch("a.jpg", GB, kAll));
    EXPECT_FALSE(MatchesSearch("a.jpg", GB + 1, kAll));
}

TEST(FolderNameTest, OnlyTheExactRecycleBinNamesAndDotsAreSkipped)
{
    for (const char *name : {".", "..", "$RECYCLE.BIN", "$Recycle.Bin"})
        EXPECT_TRUE(IsSkippedFolderName(name)) << name;
    for (const char *name : {"$recycle.bin", "$RECYCLE.BIN2", "...", ""})
        EXPECT_FALSE(IsSkippedFolderName(name)) << name;
}

// Parsed from a list full of stale entries: a valid or partly valid text leaves exactly its
// entries, an empty text or one without a dot leaves the list as it was.
TEST(ExtensionListTest, EntriesRunFromADotToTheNextSpace)
{
    using Strings = std::vector<std::string>;
    std::string twenty = "." + std::string(19, 'x'), hundred;
    for (int i = 0; i < 100; ++i)
        hundred += ". ";
    const Strings stale(kOwnExtensionSlots, ".stale");
    const struct { std::string text; bool valid; Strings entries; } cases[] = {
        {".avi .jpg", true, {".avi", ".jpg"}},
        {".doc, .pdf\t.x\r\n.y", true, {".doc,", ".pdf\t.x\r\n.y"}},
        {"avi  .mp3", true, {".mp3"}},
        {".a .b  x", true, {".a", ".b", ""}},
        {".tar.gz .", true, {".tar.gz", "."}},
        {".a " + twenty, true, {".a", twenty}},
        {".b .c " + twenty + "y .d", false, {".b", ".c"}},
        {hundred, true, Strings(100, ".")},
        {hundred + ".x", false, Strings(100, ".")},
        {"", false, stale},
        {"avi jpg", false, stale},
    };
    for (const auto &c : cases) {
        for (int i = 0; i < kOwnExtensionSlots; ++i)
            std::strcpy(g_settings.ownList[i], ".stale");
        g_settings.ownCount = kOwnExtensionSlots;
        EXPECT_EQ(c.valid, ParseExtensionList(c.text.c_str())) << c.text;
        EXPECT_EQ(c.entries, Strings(g_settings.ownList, g_settings.ownList + g_settings.ownCount)) << c.text;
        for (int i = g_settings.ownCount; i < kOwnExtensionSlots; ++i)
            EXPECT_STREQ("", g_settings.ownList[i]) << c.text;
    }
}

TEST(SizeValueTest, OnlyPositiveDecimalIntegersThatFitCount)
{
    EXPECT_EQ(7, ParseSizeValue("007"));
    EXPECT_EQ(2147483647, ParseSizeValue("0002147483647"));
    for (const char *bad : {"", "0", "12 ", " 12", "-5", "+5", "1.5", "5KB", "2147483648", "99999999999999999999"})
        EXPECT_EQ(0, ParseSizeValue(bad)) << '"' << bad << '"';
}

}  // namespace
