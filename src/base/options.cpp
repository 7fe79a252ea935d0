#include "base/options.h"

#include "base/debug_log.h"

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
    return table.Save(kOptionsFile);
}

bool IsOptionTicked(const std::string& key) {
    return GetOption(key) == 1.0f;
}

void ToggleOption(const std::string& key) {
    SetOption(key, IsOptionTicked(key) ? 0.0f : 1.0f);
}
