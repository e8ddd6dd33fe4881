// Any bytes through the window-free rules, checked by their properties rather than a second copy
// of each rule: the settings file reader's steps are well formed and what it accepts survives a
// write and a second read; a size value reads back as its digits; the line and path rules round
// trip, stay idempotent and keep their outputs within buffers of every size.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../../app/line_format.h"
#include "../../export/export_rules.h"
#include "../../search/search_text.h"
#include "../../send/send_text.h"
#include "../../settings/search_settings.h"
#include "../../settings/settings_format.h"

static void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// A value that counts reads back as its digits without leading zeros.
static void CheckSizeValue(const std::string &typed, size_t room)
{
    std::string text = typed.substr(0, room);
    int value = ParseSizeValue(text.c_str());
    Check(value == 0 || std::to_string(value) == text.substr(text.find_first_not_of('0')));
}

// Runs a rule into a buffer of exactly room bytes, where ASan sees a write past its end; a rule
// that fails leaves no text behind unless it keeps its input. Returns the text, or nothing.
static bool RunIn(size_t room, const std::function<bool(char *, size_t)> &rule, std::string *text, bool keeps)
{
    std::vector<char> out(room, 'x');
    bool ok = rule(room ? out.data() : nullptr, room);
    Check(room == 0 || ok || keeps || out[0] == '\0');
    *text = ok ? out.data() : "";
    return ok;
}

// A rule's output fits a buffer of its length plus one, and not one byte less.
static std::string CheckBounds(const std::function<bool(char *, size_t)> &rule, bool keeps = false)
{
    std::string text, exact, shorter;
    if (!RunIn(1400, rule, &text, keeps))   // room for any rule's output of a 600-character text
        return "";
    Check(RunIn(text.size() + 1, rule, &exact, keeps) && exact == text);
    Check(!RunIn(text.size(), rule, &shorter, keeps));
    return text;
}

static void CheckLineAndPathRules(const std::string &text, unsigned number)
{
    const char *t = text.c_str();
    std::string line = CheckBounds([&](char *o, size_t n) { return FormatNumberedLine(o, n, number, t); });
    Check(PathOfLine(line.c_str()) == text);   // the prefix comes off again, whatever the path

    size_t split = text.find('|');
    std::string folder = text.substr(0, split), name = split == std::string::npos ? "" : text.substr(split + 1);
    std::string joined = CheckBounds([&](char *o, size_t n) { return JoinPath(o, n, folder.c_str(), name.c_str()) > 0; });
    Check(joined == folder + "\\" + name);
    const LeadBytes single = {};   // the properties below are those of a single-byte code page
    CheckBounds([&](char *o, size_t n) { return TargetOfSource(o, n, folder.c_str(), t, single); });
    CheckBounds([&](char *o, size_t n) { return DestinationOfFolder(o, n, t, single); });
    CheckBounds([&](char *o, size_t n) { return FormatCompletionText(o, n, number); });

    // The folder is the text before its last backslash, or a drive root with it.
    std::string parent = CheckBounds([&](char *o, size_t n) { return ParentFolderOf(t, o, n, single); });
    size_t last = text.rfind('\\');
    Check(last == std::string::npos ? parent.empty()
                                    : text.compare(0, parent.size(), parent) == 0 &&
                                          (parent.size() == last || (parent.size() == 3 && last == 2)));

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string typed(reinterpret_cast<const char *>(data), strnlen(reinterpret_cast<const char *>(data), size));
    CheckSizeValue(typed, 29);
    CheckLineAndPathRules(typed.substr(0, 600), static_cast<unsigned>(size * 2654435761u));

    SettingsParse parse;
    std::memset(&parse, 0x5A, sizeof parse);   // the parser must not rely on a clean record
    ParseSettingsFile(data, size, &parse);
    Check(parse.count >= 1 && parse.count <= kSettingsMaxActions);
    SettingsChoices c = {WHERE_DRIVES, "", NAMES_DEFAULT, "", false, "", "KB", false, "", "GB"};
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i];
        // Only the last step ends the file, and every text is terminated.
        Check((a.kind == SETTINGS_SUCCESS || a.kind == SETTINGS_FAILURE) == (i == parse.count - 1));
        Check(std::memchr(a.text, '\0', sizeof a.text) != nullptr);
        bool minimum = a.limit == 0;
        switch (a.kind) {
        case SETTINGS_USE_DRIVES:
            c.where = WHERE_DRIVES;
            break;
        case SETTINGS_USE_FOLDER:
            c.where = WHERE_FOLDER;
            c.folder = a.text;
            break;
        case SETTINGS_NAMES_DEFAULT:
            c.names = NAMES_DEFAULT;
            break;
        case SETTINGS_NAMES_EVERYTHING:
            c.names = NAMES_EVERYTHING;
            break;
        case SETTINGS_NAMES_OWN:
            c.names = NAMES_OWN;
            c.extensions = a.text;
            break;
        case SETTINGS_SIZE_OFF:
        case SETTINGS_SIZE_ON:
            (minimum ? c.minOn : c.maxOn) = a.kind == SETTINGS_SIZE_ON;
            (minimum ? c.minValue : c.maxValue) = a.text;
            break;
        case SETTINGS_SIZE_UNIT:
            Check(a.unit >= 0 && a.unit <= 2);
            (minimum ? c.minUnit : c.maxUnit) = UnitText(a.unit);
            break;
        default:
            break;
        }
    }
    Check(std::strlen(c.folder) <= kFolderMaxChars);
    if (parse.actions[parse.count - 1].kind != SETTINGS_SUCCESS)
        return 0;

    // An accepted file, written back from what it set, reads back to the same settings.
    SettingsPiece pieces[kSettingsMaxPieces];
    std::string again;
    for (int i = 0, n = SettingsFilePieces(c, pieces); i < n; ++i)
        again.append(pieces[i].data, pieces[i].size);
    Check(again.size() <= kSettingsMaxFileBytes);
    SettingsParse second;
    ParseSettingsFile(reinterpret_cast<const unsigned char *>(again.data()), again.size(), &second);
    Check(second.count == parse.count);
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i], &b = second.actions[i];
        Check(a.kind == b.kind && a.limit == b.limit && a.unit == b.unit);
        // The writer takes what the dialog's boxes give: 9 characters of a value, 499 of extensions.
        size_t keep = a.kind == SETTINGS_SIZE_ON    ? kSizeValueMaxChars
                      : a.kind == SETTINGS_NAMES_OWN ? kExtensionTextMaxChars : sizeof a.text;
        Check(std::strncmp(a.text, b.text, keep) == 0);
    }
    return 0;
}
