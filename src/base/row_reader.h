#pragma once
// Readers for comma-separated content: CSpreadsheet keeps every '#' row of a file; the direct
// row reader hands '#' rows to a callback as it reads; the mods overlay reads the one row of
// each file in a mods folder.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Reads one line the way a text-mode line read does: at most capacity - 1 characters, stopping
// after a line feed, which stays in the line; CR LF counts as one line feed. A longer line goes on
// in the next read. Text after a NUL byte is not part of the line. False at the end of the file.
bool ReadTextLine(FILE* file, size_t capacity, std::string& line);

class CSpreadsheet {
public:
    // Reads every line of at most 2046 characters whose first character is '#'. A missing file
    // logs "Failed to find spreadsheet: %s" and gives no rows.
    explicit CSpreadsheet(const std::string& file);
    const std::vector<std::string>& Rows() const { return rows; }
    // The file's line of the row at that index, from 1, for reports that name it.
    int LineOf(size_t row) const { return row < lines.size() ? lines[row] : 0; }
    const std::string& File() const { return file; }

private:
    std::vector<std::string> rows;
    std::vector<int> lines;
    std::string file;
};

using RowHandler = std::function<void(const std::string& row)>;

struct DirectRowOptions {
    size_t lineCapacity = 1024;  // buffer size; a line is at most capacity - 1 characters
    bool requireLongRows = true; // rows must be longer than 8 characters
};

// Hands every '#' row of the file to handler in file order; false when the file cannot be opened.
// Reports made by the handler name the file and the row's line (debug_log.h).
bool ReadDirectRows(const std::string& file, const RowHandler& handler,
                    const DirectRowOptions& options = {});

// For each file matching pattern (sorted by name): reads its first line (at most 1023
// characters) and hands it to handler when it starts with '#' and is longer than 8 characters;
// other files are skipped silently. Reports made by the handler name the file. onOpenFailure, when
// set, is called with the path of a file that cannot be opened.
void ReadModRows(const std::string& pattern, const RowHandler& handler,
                 const std::function<void(const std::string& path)>& onOpenFailure = nullptr);
