#include "frame/options.h"

CIniSection& GetOptionsTable() {
    static CIniSection table;
    return table;
}

int LoadOptions() {
    return GetOptionsTable().Load(kOptionsSection, kOptionsFile);
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
