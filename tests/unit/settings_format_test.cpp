// The settings file byte for byte: what the writer makes of the dialog's boxes, and the steps the
// reader makes of a file's bytes, a bad line failing after the steps before it.
#include <gtest/gtest.h>

#include <string>

#include "../../settings/settings_format.h"

// The steps as words: "drives", "folder:PATH", "own:TEXT", "min-on:VALUE", "max-unit:GB" ...,
// then "ok" or "fail", each followed by "|".
static std::string Parse(const std::string &file)
{
    SettingsParse parse;
    ParseSettingsFile(reinterpret_cast<const unsigned char *>(file.data()), file.size(), &parse);
    static const char *const kWords[] = {"drives", "folder:", "default", "everything", "own:",
                                         "-off",   "-on:",    "-unit:",  "ok",         "fail"};
    std::string steps;
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i];
        bool limit = a.kind >= SETTINGS_SIZE_OFF && a.kind <= SETTINGS_SIZE_UNIT;
        steps += std::string(!limit ? "" : a.limit == 0 ? "min" : "max") + kWords[a.kind] +
                 (a.kind == SETTINGS_SIZE_UNIT ? UnitText(a.unit) : a.text) + "|";
    }
    return steps;
}

// Texts are cut to what the boxes hold: folder 259, extensions 499, values 9, units 2. What a
// file sets reads back the same: the fuzz target checks that.
TEST(SettingsFormatTest, WritesTheFourLinesByteForByte)
{
    std::string folder(300, 'f'), ext(600, 'e');
    const SettingsChoices choices = {WHERE_FOLDER, folder.c_str(), NAMES_OWN, ext.c_str(), true,
                                     "123456789012", "KBX", true, "98765432101", "GB"};
    SettingsPiece pieces[kSettingsMaxPieces];
    std::string file;
    for (int i = 0, n = SettingsFilePieces(choices, pieces); i < n; ++i)
        file.append(pieces[i].data, pieces[i].size);
    EXPECT_EQ("2 " + folder.substr(0, 259) + "\r\n3 " + ext.substr(0, 499) + "\r\n1 123456789 KB\r\n1 987654321 GB", file);
}

TEST(SettingsFormatTest, ReadsStepsUntilTheFirstBadLine)
{
    const std::string folder259 = "C:\\" + std::string(256, 'f'), dots509(509, '.');
    // Three lines, the first two at their longest: 789 bytes.
    const std::string head789 = "1" + std::string(270, 'x') + "\r\n3 " + dots509 + "\r\n0\r\n";
    const struct { std::string file, steps; } cases[] = {
        {"2 C:\\Media\r\n2\r\n0\r\n1 7 GB", "folder:C:\\Media|everything|min-off|max-on:7|max-unit:GB|ok|"},
        // A code's unused rest is ignored, the byte after a line's end is skipped whatever it is.
        {"2\r\n3\r\n0xyz\r\n1X5 MB\r\n", "folder:|own:|min-off|max-on:5|max-unit:MB|ok|"},
        // A bad unit fails after its box is ticked; a value with no blank after it fails its line.
        {"1\r\n1\r\n1 5 kb\r\n0", "drives|default|min-on:5|fail|"},
        {"1\r\n1\r\n1 5\r\n0", "drives|default|fail|"},
        {"2 " + folder259 + "\r\n1\r\n0\r\n0", "folder:" + folder259 + "|default|min-off|max-off|ok|"},
        {"2 " + folder259 + "f\r\n1\r\n0\r\n0", "fail|"},
        // Only the first 800 bytes are read.
        {head789 + "1 1234567 G" + std::string(1000, 'z'),
         "drives|own:" + dots509 + "|min-off|max-on:1234567|max-unit:GB|ok|"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.steps, Parse(c.file)) << c.file.substr(0, 40);
}
