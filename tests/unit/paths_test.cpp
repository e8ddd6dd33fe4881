// The window-free rules on paths and names: list lines, parent folders, backslash runs, the
// characters of a double-byte code page, the names a code page holds exactly, the system folder,
// the ".svq" names and the drive lists. Bounds are the fuzz target's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/drives.h"
#include "../../search/search_text.h"
#include "../../send/send_text.h"
#include "../../settings/settings_format.h"

TEST(PathsTest, OnlyTheNumberPrefixPatternIsStripped)
{
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("(12) C:\\My Files\\a b.jpg"));
    for (const char *whole : {"() x", "(1)x", "(1x) y", "(-1) x", " (1) x"})
        EXPECT_STREQ(whole, PathOfLine(whole));
}

TEST(PathsTest, ParentsBackslashRunsJoinsAndExtensions)
{
    char out[32];
    for (const char *file : {"C:\\\\a.jpg", "C:\\a.jpg"}) {
        ASSERT_TRUE(ParentFolderOf(file, out, sizeof out, LeadBytes{}));
        EXPECT_STREQ("C:\\", out);
    }
    ASSERT_TRUE(CollapseBackslashes("\\\\srv\\\\share\\a", out, sizeof out, LeadBytes{}));
    EXPECT_STREQ("\\\\srv\\share\\a", out);
    // A dot that starts the name does not count.
    std::strcpy(out, ".svq");
    ASSERT_TRUE(AppendSettingsExtension(out, sizeof out));
    EXPECT_STREQ(".svq.svq", out);
    std::strcpy(out, "a.txtx");
    ASSERT_TRUE(AppendTxtExtension(out, sizeof out));
    EXPECT_STREQ("a.txtx.txt", out);
    // A drive root keeps its own backslash: the list shows "D:\\a.jpg".
    ASSERT_TRUE(JoinPath(out, sizeof out, "D:\\", "a.jpg") > 0);
    EXPECT_STREQ("D:\\\\a.jpg", out);
}

// Code page 932, whose lead bytes are 0x81-0x9F and 0xE0-0xFC. The second bytes of "so"
// (0x83 0x5C) and "hyo" (0x95 0x5C) are backslashes.
TEST(PathsTest, ScansStepByCharactersAndTheSystemFolderIsFoundHoweverSpelt)
{
    LeadBytes cp932 = {};
    for (int b = 0x81; b <= 0xFC; ++b)
        cp932.lead[b] = b <= 0x9F || b >= 0xE0;
    const std::string sony = "\x83\x5c\x83\x6a\x81\x5b.jpg", hyo = "\x95\x5c";
    char out[32];
    ASSERT_TRUE(ParentFolderOf(("D:\\" + hyo + "\\" + sony).c_str(), out, sizeof out, cp932));
    EXPECT_EQ("D:\\" + hyo, out);
    ASSERT_TRUE(TargetOfSource(out, sizeof out, "E:\\", ("D:\\\\" + sony).c_str(), cp932));
    EXPECT_EQ("E:\\" + sony, out);
    ASSERT_TRUE(DestinationOfFolder(out, sizeof out, ("E:\\" + hyo).c_str(), cp932));
    EXPECT_EQ("E:\\" + hyo + "\\", out);
    ASSERT_TRUE(CollapseBackslashes(("D:\\\\" + hyo + "\\a").c_str(), out, sizeof out, cp932));
    EXPECT_EQ("D:\\" + hyo + "\\a", out);
    // Under WOW64 the system folder is passed over, however the walker spells it; a second byte
    // is compared as it is, never as a letter.
    const char system[] = "C:\\Windows\\System32";
    for (const char *inside : {"C:\\\\windows\\SYSTEM32", "C:\\Windows\\System32\\drivers"})
        EXPECT_TRUE(IsAtOrInside(inside, system, cp932)) << inside;
    for (const char *outside : {"C:\\\\Windows\\System", "C:\\Windows\\System32x", "C:\\\\Windows\\SysWOW64"})
        EXPECT_FALSE(IsAtOrInside(outside, system, cp932)) << outside;
    EXPECT_FALSE(IsAtOrInside("C:\\\x83\x61", "C:\\\x83\x41", cp932));
}

// A Western code page with best fit: Latin-1 as it is, the L with a stroke as L, the rest '?'.
static int WesternAnsi(const wchar_t *wide, char *out, int outBytes)
{
    for (int i = 0; i < outBytes; ++i) {
        wchar_t c = wide[i];
        out[i] = static_cast<char>(c < 0x100 ? c : c == 0x141 ? 'L' : '?');
        if (c == 0)
            return i + 1;
    }
    return 0;
}

static int WesternWide(const char *ansi, wchar_t *out, int outChars)
{
    for (int i = 0; i < outChars; ++i)
        if ((out[i] = static_cast<unsigned char>(ansi[i])) == 0)
            return i + 1;
    return 0;
}

TEST(PathsTest, OnlyNamesTheCodePageHoldsAsTheyAreKeepTheirAnsiForm)
{
    char out[16];
    ASSERT_TRUE(ExactAnsiName(L"Caf\u00e9.jpg", out, sizeof out, WesternAnsi, WesternWide));
    EXPECT_STREQ("Caf\xe9.jpg", out);
    for (const wchar_t *name : {L"\u0141odz.jpg", L"\u03a9mega.jpg", L"a-longer-name.jpg"}) {
        EXPECT_FALSE(ExactAnsiName(name, out, sizeof out, WesternAnsi, WesternWide));
        EXPECT_STREQ("", out);
    }
}

static DriveKind KindByLetter(const char *root)
{
    return root[0] == 'A' || root[0] == 'E' ? DRIVE_KIND_REMOVABLE : root[0] == 'C' ? DRIVE_KIND_FIXED : DRIVE_KIND_OTHER;
}

// A: and E: removable, C: fixed, D: optical and N: network.
TEST(PathsTest, DriveListsKeepTheSelectorsKindsInOrder)
{
    const char roots[] = "A:\\\0C:\\\0D:\\\0E:\\\0N:\\\0";
    const struct { const char *selector, *kept; } cases[] = {
        {"all", "A:\\C:\\E:\\"}, {"fixed", "C:\\"}, {"Fixed", ""}, {"removable", "A:\\E:\\"}};
    DriveList list;
    for (const auto &c : cases) {
        BuildDriveList(roots, sizeof roots, c.selector, KindByLetter, &list);
        EXPECT_STREQ(c.kept, list.roots);
        EXPECT_EQ(static_cast<int>(std::strlen(c.kept) / 3), list.count);
    }
}
