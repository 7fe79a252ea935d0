#include "saveload/save_rows.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Everything that separates rows, fields and records, and what would end the element, is written
// as "&" and a letter: none of the separators may stand in what replaces them.
const struct {
    char plain;
    char letter;
} kRowEscapes[] = {{'&', 'a'}, {'<', 'l'}, {'>', 'g'},  {';', 's'},
                   {':', 'c'}, {'|', 'b'}, {'\n', 'n'}, {'\r', 'r'}};

std::string EscapeCell(const std::string& text) {
    std::string out;
    for (char c : text) {
        char letter = 0;
        for (const auto& escape : kRowEscapes)
            if (c == escape.plain)
                letter = escape.letter;
        if (letter) {
            out += '&';
            out += letter;
        } else {
            out += c;
        }
    }
    return out;
}

// An "&" before anything else (a damaged file) stays as it stands.
std::string UnescapeCell(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char plain = 0;
        if (text[i] == '&' && i + 1 < text.size())
            for (const auto& escape : kRowEscapes)
                if (text[i + 1] == escape.letter)
                    plain = escape.plain;
        if (plain) {
            out += plain;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The shortest text that reads back as the very same float.
std::string Shortest(float value) {
    char text[64];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

std::vector<std::string> SplitRow(const std::string& row, char separator) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t end = row.find(separator); end != std::string::npos;
         start = end + 1, end = row.find(separator, start))
        cells.push_back(row.substr(start, end - start));
    cells.push_back(row.substr(start));
    return cells;
}

// Bounds as the element reader's: no saved figure comes near them.
constexpr long kMaxRowInt = 100000000;

int32_t ReadWhole(const char* text) {
    return static_cast<int32_t>(
        std::clamp(std::strtol(text, nullptr, 10), -kMaxRowInt, kMaxRowInt));
}

float ReadReal(const char* text) {
    const float number = std::strtof(text, nullptr);
    return std::isfinite(number) ? number : 0.0f;
}

// Calls each with every comma-ended item of a list.
template <typename Each> void ForEachItem(const std::string& list, Each each) {
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        each(list.substr(start, comma - start));
        start = comma + 1;
    }
}

} // namespace

void SaveRowWriter::Int(SaveField, int32_t& value) {
    cells.push_back(std::to_string(value));
}

void SaveRowWriter::Unsigned(SaveField, uint32_t& value) {
    cells.push_back(std::to_string(value));
}

void SaveRowWriter::Float(SaveField, float& value) {
    cells.push_back(Shortest(value));
}

void SaveRowWriter::Flag(SaveField, bool& value) {
    cells.push_back(value ? "1" : "0");
}

void SaveRowWriter::Text(SaveField, std::string& value) {
    cells.push_back(EscapeCell(value));
}

void SaveRowWriter::Indices(SaveField, std::vector<int32_t>& values) {
    std::string cell;
    for (int32_t value : values)
        cell += std::to_string(value) + ',';
    cells.push_back(cell);
}

void SaveRowWriter::Numbers(SaveField, float* values, int count) {
    std::string cell;
    for (int i = 0; i < count; ++i)
        cell += Shortest(values[i]) + ',';
    cells.push_back(cell);
}

SaveRowReader::SaveRowReader(const std::string& row, char separator)
    : cells(SplitRow(row, separator)) {}

std::string SaveRowReader::Next() {
    return next < cells.size() ? cells[next++] : std::string();
}

void SaveRowReader::Int(SaveField, int32_t& value) {
    const std::string cell = Next();
    if (!cell.empty())
        value = ReadWhole(cell.c_str());
}

void SaveRowReader::Unsigned(SaveField, uint32_t& value) {
    const std::string cell = Next();
    if (!cell.empty())
        value = static_cast<uint32_t>(std::strtoul(cell.c_str(), nullptr, 10));
}

void SaveRowReader::Float(SaveField, float& value) {
    const std::string cell = Next();
    if (!cell.empty())
        value = ReadReal(cell.c_str());
}

void SaveRowReader::Flag(SaveField, bool& value) {
    const std::string cell = Next();
    if (!cell.empty())
        value = ReadWhole(cell.c_str()) != 0;
}

void SaveRowReader::Text(SaveField, std::string& value) {
    const std::string cell = Next();
    if (!cell.empty())
        value = UnescapeCell(cell);
}

void SaveRowReader::Indices(SaveField, std::vector<int32_t>& values) {
    const std::string cell = Next();
    if (cell.empty())
        return;
    values.clear();
    ForEachItem(cell,
                [&values](const std::string& item) { values.push_back(ReadWhole(item.c_str())); });
}

void SaveRowReader::Numbers(SaveField, float* values, int count) {
    const std::string cell = Next();
    int index = 0;
    ForEachItem(cell, [&](const std::string& item) {
        if (index < count)
            values[index++] = ReadReal(item.c_str());
    });
}

SaveRowCheck::SaveRowCheck(const std::string& row, char separator)
    : cells(SplitRow(row, separator)) {}

std::string SaveRowCheck::Next() {
    return next < cells.size() ? cells[next++] : std::string();
}

void SaveRowCheck::Whole(const char* tag, const std::string& cell, bool list) {
    if (!problem.empty())
        return;
    bool sound = true;
    const auto check = [&sound](const std::string& item) {
        char* stop = nullptr;
        errno = 0;
        std::strtol(item.c_str(), &stop, 10);
        // Blanks before a number would be skipped by the reader; the writer puts none there.
        if (item.empty() || item[0] == ' ' || *stop != '\0' || errno == ERANGE)
            sound = false;
    };
    if (list) {
        ForEachItem(cell, check);
        sound = sound && (cell.empty() || cell.back() == ',');
    } else if (!cell.empty()) {
        check(cell);
    }
    if (!sound)
        problem = "the value \"" + cell.substr(0, 40) + "\" of <" + tag + "> is not a number";
}

void SaveRowCheck::Real(const char* tag, const std::string& cell) {
    if (!problem.empty() || cell.empty())
        return;
    char* stop = nullptr;
    std::strtod(cell.c_str(), &stop);
    if (cell[0] == ' ' || *stop != '\0')
        problem = "the value \"" + cell.substr(0, 40) + "\" of <" + tag + "> is not a number";
}

void SaveRowCheck::RealList(const char* tag, const std::string& cell) {
    ForEachItem(cell, [this, tag](const std::string& item) {
        if (item.empty() && problem.empty())
            problem = "<" + std::string(tag) + "> holds an empty number";
        Real(tag, item);
    });
}

void SaveRowCheck::Finish() {
    if (problem.empty() && next < cells.size())
        problem = "it holds " + std::to_string(cells.size()) + " fields where there are " +
                  std::to_string(next);
}
