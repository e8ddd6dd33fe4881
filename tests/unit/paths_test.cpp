// The window-free rules on paths and names: list lines, parent folders, backslash runs, the
// characters of a double-byte code page, the names a code page holds exactly, the system folder,
// the folders a search may walk, the ".svq" names and the drive lists. Bounds are the fuzz
// target's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/drives.h"
#include "../../search/search_text.h"
#include "../../send/send_text.h"
#include "../../settings/settings_format.h"

TEST(PathsTest, NumberPrefixesJoinsAndExtensions)
{
    // A number prefix is "(", digits, ")" and a blank, and nothing else.
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("(12) C:\\My Files\\a b.jpg"));
    for (const char *whole : {"() x", "(1)x", "(1x) y", "(-1) x", " (1) x"})
        EXPECT_STREQ(whole, PathOfLine(whole));
    // A drive root keeps its own backslash: the list shows "D:\\a.jpg".
    char out[32];
    ASSERT_TRUE(JoinPath(out, sizeof out, "D:\\", "a.jpg") > 0);
    EXPECT_STREQ("D:\\\\a.jpg", out);
    // A dot that starts the name does not count, nor an extension that only begins with the one added.
    ASSERT_TRUE(AppendSettingsExtension(std::strcpy(out, ".svq"), sizeof out));
    EXPECT_STREQ(".svq.svq", out);
    ASSERT_TRUE(AppendSettingsExtension(std::strcpy(out, "a.svqx"), sizeof out));
    EXPECT_STREQ("a.svqx.svq", out);
    ASSERT_TRUE(AppendTxtExtension(std::strcpy(out, "a.txtx"), sizeof out));
    EXPECT_STREQ("a.txtx.txt", out);
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
    // A drive left bare gets its backslash back; a network path keeps its leading "\\\\".
    ASSERT_TRUE(ParentFolderOf("C:\\a.jpg", out, sizeof out, cp932));
    EXPECT_STREQ("C:\\", out);
    ASSERT_TRUE(CollapseBackslashes("\\\\srv\\\\share\\a", out, sizeof out, cp932));
    EXPECT_STREQ("\\\\srv\\share\\a", out);
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
    // Only a folder that means the same wherever the current directory is gets walked.
    for (const char *full : {"C:\\", "d:\\Music", "\\\\srv\\share"})
        EXPECT_TRUE(IsFullPath(full)) << full;
    for (const char *relative : {"", "Music", "\\Media", "C:Media", "@:\\x"})
        EXPECT_FALSE(IsFullPath(relative)) << relative;
}

// A Western code page with best fit: Latin-1 as it is, the L with a stroke as L, the rest '?'.
TEST(PathsTest, OnlyNamesTheCodePageHoldsAsTheyAreKeepTheirAnsiForm)
{
    auto toAnsi = [](const wchar_t *wide, char *out, int outBytes) {
        for (int i = 0; i < outBytes; ++i)
            if ((out[i] = static_cast<char>(wide[i] < 0x100 ? wide[i] : wide[i] == 0x141 ? 'L' : '?')) == 0)
                return i + 1;
        return 0;
    };
    auto toWide = [](const char *ansi, wchar_t *out, int outChars) {
        for (int i = 0; i < outChars; ++i)
            if ((out[i] = static_cast<unsigned char>(ansi[i])) == 0)
                return i + 1;
        return 0;
    };
    char out[16];
    ASSERT_TRUE(ExactAnsiName(L"Caf\u00e9.jpg", out, sizeof out, toAnsi, toWide));
    EXPECT_STREQ("Caf\xe9.jpg", out);
    for (const wchar_t *name : {L"\u0141odz.jpg", L"\u03a9mega.jpg", L"a-longer-name.jpg", L"a.jpg ", L"a.jpg."}) {
        EXPECT_FALSE(ExactAnsiName(name, out, sizeof out, toAnsi, toWide));
        EXPECT_STREQ("", out);
    }
}

// A: and E: removable, C: fixed, D: optical and N: network.
TEST(PathsTest, DriveListsKeepTheSelectorsKindsInOrder)
{
    const char roots[] = "A:\\\0C:\\\0D:\\\0E:\\\0N:\\\0";
    const struct { const char *selector, *kept; } cases[] = {
        {"all", "A:\\C:\\E:\\"}, {"fixed", "C:\\"}, {"Fixed", ""}, {"removable", "A:\\E:\\"}};
    auto kindByLetter = [](const char *root) {
        return *root == 'C' ? DRIVE_KIND_FIXED : std::strchr("AE", *root) ? DRIVE_KIND_REMOVABLE : DRIVE_KIND_OTHER;
    };
    DriveList list;
    for (const auto &c : cases) {
        BuildDriveList(roots, sizeof roots, c.selector, kindByLetter, &list);
        EXPECT_STREQ(c.kept, list.roots);
    }
}
