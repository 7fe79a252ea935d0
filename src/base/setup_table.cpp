#include "base/setup_table.h"

#include "base/content_numbers.h"

CIniSection& GetSetupTable() {
    static CIniSection table;
    return table;
}

int LoadSetupTable() {
    const int read = GetSetupTable().Load(kSetupSection, kSetupFile);
    CheckSetupNumbers();
    return read;
}

float SetupFloat(const char* key) {
    return GetSetupTable().GetFloat(key, 0.0f);
}

std::string SetupString(const char* key) {
    // The section reader keeps the blank after "=", so "policies = x.csv" would name " x.csv";
    // no file name or setting starts or ends with a blank, so both ends are trimmed here.
    const std::string& text = GetSetupTable().GetString(key);
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> MissingSetupTuningKeys() {
    std::vector<std::string> missing;
    for (const char* key : kSetupTuningKeys)
        if (!GetSetupTable().HasKey(key))
            missing.push_back(key);
    return missing;
}
