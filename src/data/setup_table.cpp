#include "data/setup_table.h"

CIniSection& GetSetupTable() {
    static CIniSection table;
    return table;
}

int LoadSetupTable() {
    return GetSetupTable().Load(kSetupSection, kSetupFile);
}

float SetupFloat(const char* key) {
    return GetSetupTable().GetFloat(key, 0.0f);
}

const std::string& SetupString(const char* key) {
    return GetSetupTable().GetString(key);
}

std::vector<std::string> MissingSetupTuningKeys() {
    std::vector<std::string> missing;
    for (const char* key : kSetupTuningKeys)
        if (!GetSetupTable().HasKey(key))
            missing.push_back(key);
    return missing;
}
