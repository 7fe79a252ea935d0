// The content readers over any bytes: the INI section reader and the profile lookups, the
// spreadsheet and row readers with the tokenizer over every row, and the setup-number check.

#include "base/content_numbers.h"
#include "base/ini_section.h"
#include "base/profile.h"
#include "base/row_reader.h"
#include "base/tokenizer.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QuietFuzzing();
    const std::string& file = FuzzFile(data, size, ".ini");

    CIniSection section;
    section.Load("setup", file);
    for (const CIniSection::Entry& entry : section.Entries()) {
        section.GetFloat(entry.key, 0.0f);
        section.GetInt(entry.key);
    }
    GetProfileString("setup", "AIENTITIES", "", file);
    GetProfileInt("config", "termlength", 4, file);

    CSpreadsheet sheet(file);
    auto readRow = [](const std::string& row) {
        CTokenizer cells(row);
        for (int i = 0; i < 24; ++i) {
            if (!std::isfinite(cells.NextFloat()))
                std::abort();
            cells.NextInt();
            cells.NextString();
        }
    };
    for (const std::string& row : sheet.Rows())
        readRow(row);
    ReadDirectRows(file, readRow);
    return 0;
}
