#include "base/content_numbers.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/setup_table.h"
#include "base/text_utils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace {

std::string Where(const ContentSpot& place) {
    if (place.file.empty())
        return "A content file";
    if (place.line <= 0)
        return "\"" + place.file + "\"";
    return "\"" + place.file + "\", line " + std::to_string(place.line) + ",";
}

std::string Shown(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

} // namespace

float FiniteContentNumber(float value, float fallback, const std::string& written) {
    if (std::isfinite(value))
        return value;
    ReportFault(Where(CurrentContentSpot()) + " holds the value \"" +
                (written.empty() ? Shown(value) : written) +
                "\", which is not a number the game can use; " + Shown(fallback) +
                " is used instead.");
    return fallback;
}

int FindKeyLine(const std::string& file, const std::string& key) {
    std::string text;
    if (!ReadWholeFile(file, text))
        return 0;
    int line = 1;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string row = text.substr(start, end - start);
        const size_t equals = row.find('=');
        if (equals != std::string::npos &&
            strcasecmp(TrimBlanks(row.substr(0, equals)).c_str(), key.c_str()) == 0)
            return line;
        ++line;
        start = end + 1;
    }
    return 0;
}

void CheckSetupNumbers() {
    CIniSection& setup = GetSetupTable();
    const std::string file = setup.FileName();
    for (const CIniSection::Entry& entry : setup.Entries()) {
        const std::string value = TrimBlanks(entry.value);
        char* end = nullptr;
        const float number = std::strtof(value.c_str(), &end);
        // Only values that read as numbers are the table's figures; file names stay as they are.
        if (value.empty() || end == value.c_str())
            continue;
        ContentPlace place(file, FindKeyLine(file, entry.key));
        if (!std::isfinite(number)) {
            setup.SetFloat(entry.key, FiniteContentNumber(number, 0.0f, value));
            continue;
        }
        if (strcasecmp(entry.key.c_str(), "AIENTITIES") == 0 &&
            !(number >= 1.0f && number <= kMaxVoterCount)) {
            const float used = number < 1.0f ? 1.0f : kMaxVoterCount;
            ReportFault(Where(CurrentContentSpot()) + " asks for " + value +
                        " voters (AIENTITIES); the game simulates from 1 to " +
                        Shown(kMaxVoterCount) + ", so " + Shown(used) + " are used.");
            setup.SetFloat(entry.key, used);
        }
    }
}
