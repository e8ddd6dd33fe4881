// Any bytes through the window-free rules, checked by their properties rather than a second copy
// of each rule: the settings file reader's steps are well formed and what it accepts survives a
// write and a second read; a size value reads back as its digits; the line and path rules round
// trip, stay idempotent and keep their outputs within buffers of every size.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/search_text.h"
#include "../../send/send_text.h"
#include "../../settings/search_settings.h"
#include "../../settings/settings_format.h"

static void Check(bool ok) { if (!ok) std::abort(); }

// Runs a rule into a buffer of exactly room bytes, where ASan sees a write past its end; a rule
// that fails leaves no text behind unless it keeps its input. Returns the text, or nothing.
static std::optional<std::string> RunIn(size_t room, const std::function<bool(char *, size_t)> &rule, bool keeps)
{
    std::vector<char> out(room, 'x');
    bool ok = rule(room ? out.data() : nullptr, room);
    Check(room == 0 || ok || keeps || out[0] == '\0');
    return ok ? std::optional<std::string>(out.data()) : std::nullopt;
}

// A rule's output fits a buffer of its length plus one, and not one byte less. 1400 bytes hold
// any rule's output of a 600-character text.
static std::string CheckBounds(const std::function<bool(char *, size_t)> &rule, bool keeps = false)
{
    std::optional<std::string> text = RunIn(1400, rule, keeps);
    if (text)
        Check(RunIn(text->size() + 1, rule, keeps) == text && !RunIn(text->size(), rule, keeps));
    return text.value_or("");
}

static void CheckLineAndPathRules(const std::string &text, unsigned number)
{
    const char *t = text.c_str();
    std::string line = CheckBounds([&](char *o, size_t n) { return FormatNumberedLine(o, n, number, t); });
    Check(PathOfLine(line.c_str()) == text);   // the prefix comes off again, whatever the path

    std::string joined = CheckBounds([&](char *o, size_t n) { return JoinPath(o, n, t, t) > 0; });
    Check(joined == text + "\\" + text);
    const LeadBytes single = {};   // the properties below are those of a single-byte code page
    CheckBounds([&](char *o, size_t n) { return TargetOfSource(o, n, t, t, single); });
    CheckBounds([&](char *o, size_t n) { return DestinationOfFolder(o, n, t, single); });
    CheckBounds([&](char *o, size_t n) { return FormatCompletionText(o, n, number); });

    // The folder is the text before its last backslash, a bare drive with it.
    std::string parent = CheckBounds([&](char *o, size_t n) { return ParentFolderOf(t, o, n, single); });
    size_t last = text.rfind('\\'), kept = last == 2 && text[1] == ':' ? 3 : last;
    Check(parent == (last == std::string::npos ? "" : text.substr(0, kept)));

    std::string once = CheckBounds([&](char *o, size_t n) { return CollapseBackslashes(t, o, n, single); });
    Check(once.size() <= text.size() && once.find("\\\\", 1) == std::string::npos);
    Check(CheckBounds([&](char *o, size_t n) { return CollapseBackslashes(once.c_str(), o, n, single); }) == once);

    // A name ends in the extension, its own or the one added, and one that carries it keeps it.
    for (bool (*rule)(char *, size_t) : {AppendTxtExtension, AppendSettingsExtension}) {
        auto append = [&](const std::string &from) {
            return CheckBounds([&](char *o, size_t n) { return n > from.size() && rule(std::strcpy(o, from.c_str()), n); }, true);
        };
        std::string named = append(text), extension = rule == AppendTxtExtension ? ".txt" : ".svq";
        Check(named == text || named == text + extension);
        Check(named.size() >= 4 && named.compare(named.size() - 4, 4, extension) == 0);
        Check(named.size() == 4 || append(named) == named);
    }
}

// The settings a reader's steps set, written back as a file; checks the steps on the way.
static std::string Rewrite(const SettingsParse &parse)
{
    Check(parse.count >= 1 && parse.count <= kSettingsMaxActions);
    SettingsChoices c = {WHERE_DRIVES, "", NAMES_DEFAULT, "", false, "", "KB", false, "", "GB"};
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i];
        // Only the last step ends the file, and every text is terminated.
        Check((a.kind == SETTINGS_SUCCESS || a.kind == SETTINGS_FAILURE) == (i == parse.count - 1));
        Check(std::memchr(a.text, '\0', sizeof a.text) != nullptr);
        bool minimum = a.limit == 0;
        // A step without a text gives an empty one, which the writer then does not use.
        if (a.kind <= SETTINGS_USE_FOLDER) {
            c.where = a.kind == SETTINGS_USE_FOLDER ? WHERE_FOLDER : WHERE_DRIVES;
            c.folder = a.text;
        } else if (a.kind <= SETTINGS_NAMES_OWN) {   // the steps list the three as the choices do
            c.names = NAMES_DEFAULT + (a.kind - SETTINGS_NAMES_DEFAULT);
            c.extensions = a.text;
        } else if (a.kind <= SETTINGS_SIZE_ON) {
            (minimum ? c.minOn : c.maxOn) = a.kind == SETTINGS_SIZE_ON;
            (minimum ? c.minValue : c.maxValue) = a.text;
        } else if (a.kind == SETTINGS_SIZE_UNIT) {
            Check(a.unit >= 0 && a.unit <= 2);
            (minimum ? c.minUnit : c.maxUnit) = UnitText(a.unit);
        }
    }
    Check(std::strlen(c.folder) <= kFolderMaxChars);
    SettingsPiece pieces[kSettingsMaxPieces];
    std::string file;
    for (int i = 0, n = SettingsFilePieces(c, pieces); i < n; ++i)
        file.append(pieces[i].data, pieces[i].size);
    Check(file.size() <= kSettingsMaxFileBytes);
    return file;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string typed(reinterpret_cast<const char *>(data), strnlen(reinterpret_cast<const char *>(data), size));
    // A value that counts, of as many characters as a size line holds, reads back as its digits
    // without leading zeros.
    std::string value = typed.substr(0, kSizeLineMaxChars - 2);
    int parsed = ParseSizeValue(value.c_str());
    Check(parsed == 0 || std::to_string(parsed) == value.substr(value.find_first_not_of('0')));
    CheckLineAndPathRules(typed.substr(0, 600), static_cast<unsigned>(size * 2654435761u));

    SettingsParse parse, second;
    std::memset(&parse, 0x5A, sizeof parse);   // the parser must not rely on a clean record
    ParseSettingsFile(data, size, &parse);
    std::string file = Rewrite(parse);
    // An accepted file, written back from what it set, reads back to the same settings, which the
    // writer turns into the same bytes. (Not the first file's: the writer keeps 9 characters of a
    // value and 499 of extensions, as the dialog's boxes do.)
    if (parse.actions[parse.count - 1].kind == SETTINGS_SUCCESS) {
        ParseSettingsFile(reinterpret_cast<const unsigned char *>(file.data()), file.size(), &second);
        Check(Rewrite(second) == file && second.actions[second.count - 1].kind == SETTINGS_SUCCESS);
    }
    return 0;
}
