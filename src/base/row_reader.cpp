#include "base/row_reader.h"

#include "base/content_numbers.h"
#include "base/debug_log.h"
#include "base/file_system.h"

namespace {

constexpr size_t kSpreadsheetLineCapacity = 2047;
constexpr size_t kModRowCapacity = 1024;
// Rows this short cannot hold a name and a value; content files use them as separators.
constexpr size_t kShortRow = 8;

bool IsDataRow(const std::string& line, bool requireLong) {
    return !line.empty() && line[0] == '#' && (!requireLong || line.size() > kShortRow);
}

} // namespace

bool ReadTextLine(FILE* file, size_t capacity, std::string& line) {
    line.clear();
    if (!file)
        return false;
    if (capacity < 2)
        capacity = 2;
    bool readAny = false;
    bool cut = false; // after a NUL the rest of the buffer is invisible to the readers
    for (size_t consumed = 0; consumed + 1 < capacity; ++consumed) {
        int c = std::getc(file);
        if (c == EOF)
            break;
        readAny = true;
        if (c == '\r') {
            int next = std::getc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
        }
        if (c == '\0')
            cut = true;
        else if (!cut)
            line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return readAny;
}

CSpreadsheet::CSpreadsheet(const std::string& file) : file(file) {
    if (file.size() < 2)
        return;
    FILE* f = OpenDataFile(file, "rb");
    if (!f) {
        LogF("Failed to find spreadsheet: %s", file.c_str());
        return;
    }
    std::string line;
    int number = 1;
    while (ReadTextLine(f, kSpreadsheetLineCapacity, line)) {
        if (IsDataRow(line, false)) {
            rows.push_back(line);
            lines.push_back(number);
        }
        // A line longer than the buffer goes on in the next read, on the same line of the file.
        if (!line.empty() && line.back() == '\n')
            ++number;
    }
    std::fclose(f);
}

bool ReadDirectRows(const std::string& file, const RowHandler& handler,
                    const DirectRowOptions& options) {
    FILE* f = OpenDataFile(file, "rb");
    if (!f)
        return false;
    std::string line;
    int number = 1;
    while (ReadTextLine(f, options.lineCapacity, line)) {
        if (IsDataRow(line, options.requireLongRows) && handler) {
            ContentPlace place(file, number);
            handler(line);
        }
        // A line longer than the buffer goes on in the next read, on the same line of the file.
        if (!line.empty() && line.back() == '\n')
            ++number;
    }
    std::fclose(f);
    return true;
}

void ReadModRows(const std::string& pattern, const RowHandler& handler,
                 const std::function<void(const std::string& path)>& onOpenFailure) {
    ForEachFile(pattern, [&](const std::string& path) {
        FILE* f = OpenDataFile(path, "rb");
        if (!f) {
            if (onOpenFailure)
                onOpenFailure(path);
            return;
        }
        std::string line;
        ReadTextLine(f, kModRowCapacity, line);
        std::fclose(f);
        if (IsDataRow(line, true) && handler) {
            ContentPlace place(path, 1);
            handler(line);
        }
    });
}
