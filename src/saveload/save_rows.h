#pragma once
// Rows: the long lists of a saved game (voters, the network's nodes and links) written one record
// a line inside a single element, rather than one element a field. A row holds the record's
// fields in the order its field list visits them, separated by ";"; a list of records inside a
// row holds each record's fields separated by ":" and ends each record with "|"; number lists are
// comma-ended, as everywhere in the file. A field whose text is that of a new record's field is
// left empty, and the empty fields at the end of a row are left off, so a record that is mostly
// as new takes a few bytes. Texts in a row are written with the characters that separate fields
// as entities, so a name can never split a row. (No record here starts with a text of its own, so
// an empty cell always stands for the new record's value.)

#include "saveload/save_field.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes the fields of one record as the cells of a row.
class SaveRowWriter {
public:
    static constexpr bool kReading = false;

    explicit SaveRowWriter(char separator) : separator(separator) {}

    void Begin(const char*) {}
    void End(const char*) {}
    void Int(SaveField field, int32_t& value);
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    void Prose(SaveField field, std::string& value) { Text(field, value); }
    void Indices(SaveField field, std::vector<int32_t>& values);
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count) { Numbers(field, values, count); }
    void Progress(const char*, float) {}
    template <typename Record> void Records(const char*, const char*, std::vector<Record>& list);

    const std::vector<std::string>& Cells() const { return cells; }

private:
    std::vector<std::string> cells;
    char separator;
};

// The row of a record: each cell left empty where it reads as a new record's would.
template <typename Record, char Separator> std::string RowText(Record& record) {
    static const std::vector<std::string> kNew = [] {
        Record fresh;
        SaveRowWriter writer(Separator);
        Visit(writer, fresh);
        return writer.Cells();
    }();
    SaveRowWriter writer(Separator);
    Visit(writer, record);
    const std::vector<std::string>& cells = writer.Cells();
    size_t used = cells.size();
    while (used > 0 && cells[used - 1] == kNew[used - 1])
        --used;
    std::string row;
    for (size_t i = 0; i < used; ++i) {
        if (i > 0)
            row += Separator;
        if (cells[i] != kNew[i])
            row += cells[i];
    }
    return row;
}

template <typename Record>
void SaveRowWriter::Records(const char*, const char*, std::vector<Record>& list) {
    std::string cell;
    for (Record& record : list)
        cell += RowText<Record, ':'>(record) + '|';
    cells.push_back(cell);
}

// Reads the cells of one row into a new record: an empty or missing cell leaves the field as a
// new record has it.
class SaveRowReader {
public:
    static constexpr bool kReading = true;

    SaveRowReader(const std::string& row, char separator);

    void Begin(const char*) {}
    void End(const char*) {}
    void Int(SaveField field, int32_t& value);
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    void Prose(SaveField field, std::string& value) { Text(field, value); }
    void Indices(SaveField field, std::vector<int32_t>& values);
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count) { Numbers(field, values, count); }
    void Progress(const char*, float) {}
    template <typename Record> void Records(const char*, const char*, std::vector<Record>& list) {
        list.clear();
        const std::string cell = Next();
        size_t start = 0;
        for (size_t end = cell.find('|'); end != std::string::npos;
             start = end + 1, end = cell.find('|', start)) {
            list.emplace_back();
            SaveRowReader inner(cell.substr(start, end - start), ':');
            Visit(inner, list.back());
        }
    }

private:
    // The next cell, empty once the row has run out.
    std::string Next();

    std::vector<std::string> cells;
    size_t next = 0;
};

// The damage check of one row: every cell that is there must read as its field, and a row may
// not hold more cells than its record has fields. Nothing is applied.
class SaveRowCheck {
public:
    static constexpr bool kReading = false;

    SaveRowCheck(const std::string& row, char separator);

    void Begin(const char*) {}
    void End(const char*) {}
    void Int(SaveField field, int32_t&) { Whole(field.tag, Next(), false); }
    void Unsigned(SaveField field, uint32_t&) { Whole(field.tag, Next(), false); }
    void Float(SaveField field, float&) { Real(field.tag, Next()); }
    void Flag(SaveField field, bool&) { Whole(field.tag, Next(), false); }
    void Text(SaveField, std::string&) { Next(); }
    void Prose(SaveField, std::string&) { Next(); }
    void Indices(SaveField field, std::vector<int32_t>&) { Whole(field.tag, Next(), true); }
    void Numbers(SaveField field, float*, int) { RealList(field.tag, Next()); }
    void FineNumbers(SaveField field, float*, int) { RealList(field.tag, Next()); }
    void Progress(const char*, float) {}
    template <typename Record> void Records(const char* tag, const char*, std::vector<Record>&) {
        const std::string cell = Next();
        size_t start = 0;
        size_t end = cell.find('|');
        for (; end != std::string::npos && problem.empty();
             start = end + 1, end = cell.find('|', start)) {
            SaveRowCheck inner(cell.substr(start, end - start), ':');
            Record record;
            Visit(inner, record);
            inner.Finish();
            if (!inner.Problem().empty())
                problem = "in <" + std::string(tag) + ">, " + inner.Problem();
        }
        if (problem.empty() && start != cell.size())
            problem = "<" + std::string(tag) + "> does not end its last record with \"|\"";
    }

    // A row with cells beyond its record's fields is a problem.
    void Finish();
    const std::string& Problem() const { return problem; }

private:
    std::string Next();
    // A whole number, or a comma-ended list of them.
    void Whole(const char* tag, const std::string& cell, bool list);
    void Real(const char* tag, const std::string& cell);
    void RealList(const char* tag, const std::string& cell);

    std::vector<std::string> cells;
    size_t next = 0;
    std::string problem;
};

// The rows of a block, which ends every row with a line break; an empty row is a record as new.
// False when the block does not end with a line break.
template <typename Each> bool ForEachRow(const std::string& block, Each each) {
    size_t start = 0;
    // The rows begin on the line after the element's opening tag.
    if (!block.empty() && block[0] == '\n')
        start = 1;
    for (size_t end = block.find('\n', start); end != std::string::npos;
         start = end + 1, end = block.find('\n', start))
        each(block.substr(start, end - start));
    return start == block.size();
}
