#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../settings/settings_format.h"

namespace {

using Steps = std::vector<std::string>;

// The parse as short words: "drives", "folder:PATH", "default", "everything", "own:TEXT",
// "min-off", "min-on:VALUE", "min-unit:KB", ... and "ok" or "fail" at the end.
Steps Parse(const std::string &file)
{
    SettingsParse parse;
    ParseSettingsFile(reinterpret_cast<const unsigned char *>(file.data()), file.size(), &parse);
    Steps steps;
    static const char *const kUnits[] = {"KB", "MB", "GB"};
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i];
        std::string limit = a.limit == 0 ? "min" : "max";
        switch (a.kind) {
        case SETTINGS_USE_DRIVES: steps.push_back("drives"); break;
        case SETTINGS_USE_FOLDER: steps.push_back(std::string("folder:") + a.text); break;
        case SETTINGS_NAMES_DEFAULT: steps.push_back("default"); break;
        case SETTINGS_NAMES_EVERYTHING: steps.push_back("everything"); break;
        case SETTINGS_NAMES_OWN: steps.push_back(std::string("own:") + a.text); break;
        case SETTINGS_SIZE_OFF: steps.push_back(limit + "-off"); break;
        case SETTINGS_SIZE_ON: steps.push_back(limit + "-on:" + a.text); break;
        case SETTINGS_SIZE_UNIT: steps.push_back(limit + "-unit:" + kUnits[a.unit]); break;
        case SETTINGS_SUCCESS: steps.push_back("ok"); break;
        case SETTINGS_FAILURE: steps.push_back("fail"); break;
        }
    }
    return steps;
}

std::string Write(const SettingsChoices &c)
{
    SettingsPiece pieces[kSettingsMaxPieces];
    int n = SettingsFilePieces(c, pieces);
    std::string file;
    for (int i = 0; i < n; ++i) {
        EXPECT_GT(pieces[i].size, 0u);
        file.append(pieces[i].data, pieces[i].size);
    }
    return file;
}

SettingsChoices Defaults()
{
    return SettingsChoices{WHERE_DRIVES, "", NAMES_DEFAULT, "", false, "1", "KB", false, "1", "GB"};
}

TEST(SettingsWriterTest, WritesTheFourLinesByteForByte)
{
    EXPECT_EQ("1\r\n1\r\n0\r\n0", Write(Defaults()));

    SettingsChoices c = Defaults();
    c.names = NAMES_OWN;
    c.extensions = ".avi .mkv";
    c.maxOn = true;
    c.maxValue = "2";
    EXPECT_EQ("1\r\n3 .avi .mkv\r\n0\r\n1 2 GB", Write(c));

    c = Defaults();
    c.where = WHERE_FOLDER;
    c.folder = "C:\\Media";
    c.names = NAMES_EVERYTHING;
    c.minOn = c.maxOn = true;
    c.minValue = "";
    c.maxValue = "abc";
    c.maxUnit = "MB";
    EXPECT_EQ("2 C:\\Media\r\n2\r\n1  KB\r\n1 abc MB", Write(c));

    // Line breaks typed into the extension box are written unchanged.
    c = Defaults();
    c.names = NAMES_OWN;
    c.extensions = ".a\r\n.b";
    EXPECT_EQ("1\r\n3 .a\r\n.b\r\n0\r\n0", Write(c));
}

TEST(SettingsWriterTest, TextsAreCutToWhatTheFileHolds)
{
    std::string folder(300, 'f'), ext(600, 'e');
    SettingsChoices c = {WHERE_FOLDER, folder.c_str(), NAMES_OWN, ext.c_str(),
                         true, "123456789012", "KBX", true, "98765432101", "GB"};
    std::string file = Write(c);
    EXPECT_EQ(static_cast<size_t>(kSettingsMaxFileBytes), file.size());
    EXPECT_EQ("2 " + folder.substr(0, 259) + "\r\n3 " + ext.substr(0, 499) +
                  "\r\n1 123456789 KB\r\n1 987654321 GB",
              file);
}

TEST(SettingsReaderTest, LinesAndCodes)
{
    EXPECT_EQ((Steps{"folder:C:\\Media", "everything", "min-off", "max-on:7", "max-unit:GB", "ok"}),
              Parse("2 C:\\Media\r\n2\r\n0\r\n1 7 GB"));
    // Anything after a line's code that the code does not use is ignored; a short "2" gives an
    // empty folder; the second character is skipped whatever it is.
    EXPECT_EQ((Steps{"folder:", "own:", "min-off", "max-on:5", "max-unit:MB", "ok"}),
              Parse("2\r\n3\r\n0xyz\r\n1X5 MB\r\n"));

    EXPECT_EQ((Steps{"fail"}), Parse(""));
    EXPECT_EQ((Steps{"fail"}), Parse("3 C:\\x\r\n1\r\n0\r\n0"));
    EXPECT_EQ((Steps{"fail"}), Parse("\r\n1\r\n0\r\n0"));
    EXPECT_EQ((Steps{"drives", "fail"}), Parse("1\r\n4\r\n0\r\n0"));
    EXPECT_EQ((Steps{"drives", "default", "min-off", "fail"}), Parse("1\r\n1\r\n0"));   // line 4 missing
    EXPECT_EQ((Steps{"drives", "default", "fail"}), Parse("1\r\n1\r\n2\r\n0"));
}

TEST(SettingsReaderTest, LineEndsAreTakenToBeTwoBytes)
{
    // LF alone: each next line loses its first character, so line 2 reads "\n0..." or worse.
    EXPECT_EQ((Steps{"drives", "fail"}), Parse("1\n1\n0\n0"));
    // A line break in the extension text ends line 2 there; line 3 then starts with '.'.
    EXPECT_EQ((Steps{"drives", "own:.a", "fail"}), Parse("1\r\n3 .a\r\n.b\r\n0\r\n0"));
    // CR alone is a line end too, and the byte after it is skipped.
    EXPECT_EQ((Steps{"drives", "everything", "min-off", "max-off", "ok"}), Parse("1\rx2\r\n0\r\n0"));
}

TEST(SettingsReaderTest, SizeLines)
{
    EXPECT_EQ((Steps{"drives", "default", "min-on:", "min-unit:KB", "max-on:abc", "max-unit:GB", "ok"}),
              Parse("1\r\n1\r\n1  KB\r\n1 abc GB"));
    // Extra blanks before the unit are skipped; only the unit's first letter counts.
    EXPECT_EQ((Steps{"drives", "default", "min-on:5", "min-unit:MB", "max-on:5", "max-unit:KB", "ok"}),
              Parse("1\r\n1\r\n1 5    M\r\n1 5 Kx"));
    // A bad unit letter fails after the box is ticked and the value set.
    EXPECT_EQ((Steps{"drives", "default", "min-on:5", "fail"}), Parse("1\r\n1\r\n1 5 kb\r\n0"));
    EXPECT_EQ((Steps{"drives", "default", "min-off", "max-on:5", "fail"}), Parse("1\r\n1\r\n0\r\n1 5 "));
    EXPECT_EQ((Steps{"drives", "default", "min-off", "max-on:5", "fail"}), Parse("1\r\n1\r\n0\r\n1 5  \r\n"));
    // A value that no blank follows breaks the reader's bounds: nothing of that line applies.
    EXPECT_EQ((Steps{"drives", "default", "fail"}), Parse("1\r\n1\r\n1 5\r\n0"));
    EXPECT_EQ((Steps{"drives", "default", "fail"}), Parse("1\r\n1\r\n1\r\n0"));
}

TEST(SettingsReaderTest, OverLongLinesAreInvalidFromThatLineOn)
{
    std::string size31 = "1 " + std::string(26, '9') + " GB";
    ASSERT_EQ(31u, size31.size());
    EXPECT_EQ("ok", Parse("1\r\n1\r\n" + size31 + "\r\n0").back());
    EXPECT_EQ((Steps{"drives", "default", "fail"}), Parse("1\r\n1\r\n" + size31 + " \r\n0"));
    EXPECT_EQ((Steps{"drives", "default", "min-off", "fail"}), Parse("1\r\n1\r\n0\r\n0" + std::string(31, ' ')));

    std::string names511 = "3 " + std::string(509, '.');
    EXPECT_EQ("ok", Parse("1\r\n" + names511 + "\r\n0\r\n0").back());
    EXPECT_EQ((Steps{"drives", "fail"}), Parse("1\r\n" + names511 + ".\r\n0\r\n0"));

    std::string where271 = "1" + std::string(270, 'x');
    EXPECT_EQ("ok", Parse(where271 + "\r\n1\r\n0\r\n0").back());
    EXPECT_EQ((Steps{"fail"}), Parse(where271 + "x\r\n1\r\n0\r\n0"));

    // The folder must fit the search folder's 259 characters.
    std::string folder259 = "C:\\" + std::string(256, 'f');
    EXPECT_EQ((Steps{"folder:" + folder259, "default", "min-off", "max-off", "ok"}),
              Parse("2 " + folder259 + "\r\n1\r\n0\r\n0"));
    EXPECT_EQ((Steps{"fail"}), Parse("2 " + folder259 + "f\r\n1\r\n0\r\n0"));
}

TEST(SettingsReaderTest, OnlyTheFirstEightHundredBytesAreRead)
{
    // Lines 1 to 3 at their longest end at byte 789; line 4 gets the window's last 11 bytes.
    std::string head = "1" + std::string(270, 'x') + "\r\n3 " + std::string(509, '.') + "\r\n0\r\n";
    ASSERT_EQ(789u, head.size());
    Steps steps = Parse(head + "1 12345678 GB");
    EXPECT_EQ((Steps{"drives", "own:" + std::string(509, '.'), "min-off", "max-on:12345678", "fail"}), steps)
        << "the unit lies beyond byte 800";
    EXPECT_EQ("ok", Parse(head + "1 1234567 G" + std::string(100000, 'z')).back());
}

TEST(SettingsExtensionTest, SvqIsAppendedUnlessTheNameEndsInIt)
{
    struct Case { const char *name, *written; } cases[] = {
        {"C:\\x\\mine.svq", "C:\\x\\mine.svq"},
        {"C:\\x\\mine", "C:\\x\\mine.svq"},
        {"C:\\x\\mine.txt", "C:\\x\\mine.txt.svq"},
        {"C:\\x\\mine.SVQ", "C:\\x\\mine.SVQ.svq"},
        {"C:\\x\\mine.svq.", "C:\\x\\mine.svq..svq"},
        {".svq", ".svq.svq"},
        {"a.svq", "a.svq"},
    };
    for (const Case &c : cases) {
        char name[264] = "";
        std::snprintf(name, sizeof name, "%s", c.name);
        EXPECT_TRUE(AppendSettingsExtension(name, sizeof name));
        EXPECT_STREQ(c.written, name);
    }

    // A 259-character name still takes the extension in a 264-byte buffer; a smaller one does not.
    char name[264];
    std::string long259(259, 'n');
    std::snprintf(name, sizeof name, "%s", long259.c_str());
    EXPECT_TRUE(AppendSettingsExtension(name, sizeof name));
    EXPECT_EQ(long259 + ".svq", name);
    std::snprintf(name, 263, "%s", long259.c_str());
    EXPECT_FALSE(AppendSettingsExtension(name, 263));
    EXPECT_EQ(long259, name);
}

}  // namespace
