// Any bytes through the settings file reader: its steps must be well formed, what it accepts must
// survive a write and a second read, and the texts it hands on go through the parses that the
// dialog's OK runs. The bytes, taken as typed text, also go through those parses directly and are
// compared with plain models of their rules.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../settings/search_settings.h"
#include "../../settings/settings_format.h"

static void Check(bool ok)
{
    if (!ok)
        std::abort();
}

static std::string Write(const SettingsChoices &c)
{
    SettingsPiece pieces[kSettingsMaxPieces];
    int n = SettingsFilePieces(c, pieces);
    Check(n > 0 && n <= kSettingsMaxPieces);
    std::string file;
    for (int i = 0; i < n; ++i)
        file.append(pieces[i].data, pieces[i].size);
    Check(file.size() <= kSettingsMaxFileBytes);
    return file;
}

// Entries run from each '.' to the next space; more than 100 entries or one over 20 characters
// make the list invalid after the entries before the fault were stored.
static bool ModelExtensionList(const std::string &text, std::vector<std::string> *entries)
{
    if (text.empty() || text.find('.') == std::string::npos)
        return false;
    entries->clear();
    size_t pos = 0;
    while (pos < text.size()) {
        pos = text.find('.', pos);
        if (pos == std::string::npos)
            pos = text.size();
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        if (end - pos > 20 || entries->size() == 100)
            return false;
        entries->push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return true;
}

static int ModelSizeValue(const std::string &text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    size_t first = text.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    std::string digits = text.substr(first);
    if (digits.size() > 10 || (digits.size() == 10 && digits > "2147483647"))
        return 0;
    return std::atoi(digits.c_str());
}

// ParseExtensionList on at most 499 characters, as OK reads the box, starting from a full list so
// that stale entries would show.
static void CheckExtensionList(const char *typed)
{
    std::string text = std::string(typed).substr(0, kExtensionTextMaxChars);
    static SearchSettings settings;
    for (int i = 0; i < kOwnExtensionSlots; ++i)
        std::strcpy(settings.ownList[i], ".stale");
    settings.ownCount = kOwnExtensionSlots;
    std::vector<std::string> expected;
    bool valid = ModelExtensionList(text, &expected);
    Check(ParseExtensionList(text.c_str(), &settings) == valid);
    if (text.empty() || text.find('.') == std::string::npos) {
        Check(settings.ownCount == kOwnExtensionSlots && std::strcmp(settings.ownList[99], ".stale") == 0);
        return;
    }
    Check(settings.ownCount == static_cast<int>(expected.size()));
    for (int i = 0; i < kOwnExtensionSlots; ++i)
        Check(i < settings.ownCount ? expected[static_cast<size_t>(i)] == settings.ownList[i]
                                    : settings.ownList[i][0] == '\0');
}

// ParseSizeValue on what OK reads of a value box: 29 characters of the minimum, 9 of the maximum.
static void CheckSizeValue(const char *typed, size_t room)
{
    std::string value = std::string(typed).substr(0, room);
    Check(ParseSizeValue(value.c_str()) == ModelSizeValue(value));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string typed(reinterpret_cast<const char *>(data), size);
    CheckExtensionList(typed.c_str());
    CheckSizeValue(typed.c_str(), 29);

    SettingsParse parse;
    std::memset(&parse, 0x5A, sizeof parse);   // the parser must not rely on a clean record
    ParseSettingsFile(data, size, &parse);
    Check(parse.count >= 1 && parse.count <= kSettingsMaxActions);
    SettingsActionKind last = parse.actions[parse.count - 1].kind;
    Check(last == SETTINGS_SUCCESS || last == SETTINGS_FAILURE);

    SettingsChoices c = {WHERE_DRIVES, "", NAMES_DEFAULT, "", false, "", "KB", false, "", "GB"};
    static const char *const kUnits[] = {"KB", "MB", "GB"};
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i];
        Check(std::memchr(a.text, '\0', sizeof a.text) != nullptr);
        Check(i == parse.count - 1 || (a.kind != SETTINGS_SUCCESS && a.kind != SETTINGS_FAILURE));
        bool minimum = a.limit == 0;
        switch (a.kind) {
        case SETTINGS_USE_DRIVES: c.where = WHERE_DRIVES; break;
        case SETTINGS_USE_FOLDER:
            Check(std::strlen(a.text) <= kFolderMaxChars);
            c.where = WHERE_FOLDER;
            c.folder = a.text;
            break;
        case SETTINGS_NAMES_DEFAULT: c.names = NAMES_DEFAULT; break;
        case SETTINGS_NAMES_EVERYTHING: c.names = NAMES_EVERYTHING; break;
        case SETTINGS_NAMES_OWN: c.names = NAMES_OWN; c.extensions = a.text; break;
        case SETTINGS_SIZE_OFF: (minimum ? c.minOn : c.maxOn) = false; break;
        case SETTINGS_SIZE_ON:
            Check(a.limit == 0 || a.limit == 1);
            Check(std::strlen(a.text) <= kSizeLineMaxChars && !std::strchr(a.text, ' '));
            (minimum ? c.minOn : c.maxOn) = true;
            (minimum ? c.minValue : c.maxValue) = a.text;
            break;
        case SETTINGS_SIZE_UNIT:
            Check(a.unit >= 0 && a.unit <= 2 && (a.limit == 0 || a.limit == 1));
            (minimum ? c.minUnit : c.maxUnit) = kUnits[a.unit];
            break;
        default: break;
        }
        if (a.kind == SETTINGS_NAMES_OWN)
            CheckExtensionList(a.text);
        if (a.kind == SETTINGS_SIZE_ON)
            CheckSizeValue(a.text, minimum ? 29 : 9);
    }
    if (last != SETTINGS_SUCCESS)
        return 0;

    // An accepted file, written back from what it set, reads back to the same settings.
    std::string again = Write(c);
    SettingsParse second;
    ParseSettingsFile(reinterpret_cast<const unsigned char *>(again.data()), again.size(), &second);
    Check(second.count == parse.count);
    for (int i = 0; i < parse.count; ++i) {
        const SettingsAction &a = parse.actions[i], &b = second.actions[i];
        Check(a.kind == b.kind && a.limit == b.limit && a.unit == b.unit);
        // The writer takes what the dialog's boxes give: 9 characters of a value, 499 of extensions.
        size_t keep = a.kind == SETTINGS_SIZE_ON    ? kSizeValueMaxChars
                      : a.kind == SETTINGS_NAMES_OWN ? kExtensionTextMaxChars
                                                     : sizeof a.text;
        Check(std::strncmp(a.text, b.text, keep) == 0);
    }
    return 0;
}
