#include "base/options.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/text_utils.h"
#include "base/user_settings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using OptionValues = std::vector<std::pair<std::string, float>>;

// A line as a message can show it: control bytes as codes, cut short.
std::string Shown(const std::string& line) {
    const std::string shown = PrintableText(line.substr(0, 60));
    return line.size() > 60 ? shown + "..." : shown;
}

// Reads the player's copy: section "options" of lines "KEY = number", every number from 0 to 1,
// as the game writes it. Anything else means the file was damaged (a crash, a full disk, a bad
// hand edit), and fault says which line and how. Other sections are left alone.
bool ParsePlayerOptions(const std::string& text, OptionValues& values, std::string& fault) {
    bool inOptions = false, sectionSeen = false;
    size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '/')
            continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line[0] == '[') {
            const bool isOptions = line.back() == ']' &&
                                   strcasecmp(TrimBlanks(line.substr(1, line.size() - 2)).c_str(),
                                              kOptionsSection) == 0;
            // Only the first section of the name counts, as for every other settings file.
            inOptions = isOptions && !sectionSeen;
            sectionSeen = sectionSeen || isOptions;
            continue;
        }
        if (!inOptions)
            continue;
        const size_t equals = line.find('=');
        const std::string key =
            equals == std::string::npos ? "" : TrimBlanks(line.substr(0, equals));
        const std::string value =
            equals == std::string::npos ? "" : TrimBlanks(line.substr(equals + 1));
        char* numberEnd = nullptr;
        const float number = value.empty() ? 0.0f : std::strtof(value.c_str(), &numberEnd);
        if (key.empty() || value.empty() || *numberEnd != '\0' || std::isnan(number)) {
            fault = where + "\"" + Shown(line) + "\" is not an option name, \"=\" and a number";
            return false;
        }
        if (number < 0.0f || number > 1.0f) {
            fault = where + "\"" + Shown(line) + "\" is outside 0 to 1";
            return false;
        }
        values.emplace_back(key, number);
    }
    if (!sectionSeen) {
        fault = text.empty() ? "the file is empty" : "there is no [options] section";
        return false;
    }
    return true;
}

// Moves a damaged copy aside, where the player can look at it, and says so once.
void KeepDamagedCopy(const std::string& copy, const std::string& fault) {
    const std::string kept = copy + ".damaged";
    std::string outcome = "The shipped options are used instead";
    if (std::rename(copy.c_str(), kept.c_str()) == 0)
        outcome += "; the damaged file is kept as " + kept + ".";
    else
        outcome += "; the damaged file could not be moved aside (" +
                   std::string(std::strerror(errno)) + ").";
    LogF("%s %s; %s", copy.c_str(), fault.c_str(), outcome.c_str());
    GetFrontEnd().ShowMessageBox("Options file damaged", copy + " " + fault + ". " + outcome,
                                 MessageBoxIcon::Exclamation);
}

// Lays the player's own values over the shipped ones. The table keeps exactly the shipped keys:
// a key the copy lacks keeps its shipped value, and one the game no longer has is dropped.
void ApplyPlayerCopy(CIniSection& table) {
    const std::string copy = PlayerCopyPath(kOptionsFile);
    if (copy.empty() || access(copy.c_str(), F_OK) != 0)
        return;
    std::string text, fault;
    OptionValues values;
    if (!ReadWholeFile(copy, text))
        fault = std::string("cannot be read (") + std::strerror(errno) + ")";
    else
        ParsePlayerOptions(text, values, fault);
    if (!fault.empty()) {
        KeepDamagedCopy(copy, fault);
        return;
    }
    for (const auto& [key, value] : values) {
        if (table.HasKey(key))
            table.SetFloat(key, value);
        else
            LogF("%s: the option %s is not one of this game's; it is dropped", copy.c_str(),
                 key.c_str());
    }
}

} // namespace

CIniSection& GetOptionsTable() {
    static CIniSection table;
    return table;
}

int LoadOptions() {
    CIniSection& table = GetOptionsTable();
    int bytes = table.Load(kOptionsSection, kOptionsFile);
    if (table.Count() == 0) {
        // Without its file the table would hold no keys, and every volume and switch would read 0
        // and refuse to change: the game starts from the shipped settings instead, and writes
        // them back at shutdown.
        LogF("%s is missing or unreadable: starting with the default options", kOptionsFile);
        const char* defaults[][2] = {{kOptionMusic, "0.60"},
                                     {kOptionSfxVolume, "0.70"},
                                     {kOptionEnableMusic, "1.00"},
                                     {kOptionGlobalEconomy, "0.30"},
                                     {kOptionInterestRate, "0.50"},
                                     {kOptionDifficulty, "0.50"},
                                     {kOptionCynicism, "0.50"},
                                     {kOptionEnableDilemmas, "1.00"},
                                     {kOptionEnableRestrictPower, "1.00"},
                                     {kOptionEnableManifesto, "1.00"},
                                     {kOptionAutosave, "1.00"},
                                     {kOptionHoneymoon, "1.00"},
                                     {kOptionShowConnectors, "1.00"}};
        for (const auto& entry : defaults)
            table.AddEntry(entry[0], entry[1]);
    }
    ApplyPlayerCopy(table);
    return bytes;
}

float GetOption(const std::string& key) {
    return GetOptionsTable().GetFloat(key, 0.0f);
}

void SetOption(const std::string& key, float value) {
    GetOptionsTable().SetFloat(key, value);
}

bool SaveOptions() {
    CIniSection& table = GetOptionsTable();
    // Before the first load the table has no section name and nothing worth writing.
    if (table.SectionName().empty())
        return false;
    // The reader keeps the blank that follows "=", so a value written back untouched would gain
    // one blank per run; every value goes out in the same two-decimal form SetOption uses.
    for (const CIniSection::Entry& entry : table.Entries())
        table.SetFloat(entry.key, table.GetFloat(entry.key, 0.0f));
    if (!PrepareConfigDir())
        return false;
    const std::string copy = PlayerCopyPath(kOptionsFile);
    errno = 0;
    if (table.Save(copy))
        return true;
    ReportSettingsNotKept(CannotWrite(copy));
    return false;
}

bool IsOptionTicked(const std::string& key) {
    return GetOption(key) == 1.0f;
}

void ToggleOption(const std::string& key) {
    SetOption(key, IsOptionTicked(key) ? 0.0f : 1.0f);
}
