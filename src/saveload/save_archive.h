#pragma once
// The archives a saved section is visited with. Every section of the saved game lists its fields
// once, in a function template Visit(archive, section) (saveload/save_sections.h). The writing
// archive writes each field as one element per line (or, for the long lists, each record as one
// row: save_rows.h), the reading archive reads it back from the same place, and JsonFields hands
// the fields the state document shows over to it. A field that is written is therefore read, and a
// field that is saved reaches the state document unless the section says it does not.

#include "saveload/save_field.h"
#include "saveload/save_reader.h"
#include "saveload/save_rows.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class JsonWriter;

class SaveWriteArchive {
public:
    static constexpr bool kReading = false;

    void Begin(const char* tag);
    void End(const char* tag);
    void Int(SaveField field, int32_t& value);
    // A whole 32-bit pattern ("%u"), such as a generator's state.
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    // 1 or 0.
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    // A text written by people (a title, a paragraph), which may hold anything: "&", "<" and ">"
    // are written as "&amp;", "&lt;" and "&gt;". Names and figures never hold them.
    void Prose(SaveField field, std::string& value);
    // A comma-ended list of whole numbers of any length (places in a list of the game's).
    void Indices(SaveField field, std::vector<int32_t>& values);
    // A comma-ended list with three decimals to each number; FineNumbers gives six.
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count);
    // Reading shows the player how far a load has come; writing has nothing to show.
    void Progress(const char*, float) {}
    // A section added after the first files were written: always written, and read only when
    // the file has it next, so an older file loads without it.
    bool Optional(const char*) { return true; }

    // Elements of one kind, one record each. Writing makes a record of each item (capture
    // returns false to leave an item out) and visits it; reading visits one record per element
    // and hands it to apply. Each archive uses its own half.
    template <typename Record, typename Items, typename Capture, typename Apply>
    void Elements(const char* element, const Items& items, Capture capture, Apply) {
        for (const auto& item : items) {
            Record record;
            if (!capture(item, record))
                continue;
            Begin(element);
            Visit(*this, record);
            End(element);
        }
    }
    // A list held in a record, written from it and read into it.
    template <typename Record>
    void Records(const char* tag, const char* element, std::vector<Record>& records) {
        Begin(tag);
        for (Record& record : records) {
            Begin(element);
            Visit(*this, record);
            End(element);
        }
        End(tag);
    }

    // Whether the list under this tag is written as rows (save_rows.h); see SaveLayout.
    bool RowsAt(const char*) const { return !elementsOnly; }
    template <typename Record, typename Items, typename Capture, typename Apply>
    void Rows(const char* tag, const Items& items, Capture capture, Apply) {
        Begin(tag);
        for (const auto& item : items) {
            Record record;
            if (!capture(item, record))
                continue;
            out += RowText<Record, ';'>(record);
            out += '\n';
        }
        End(tag);
    }

    void Line(const char* text);
    const std::string& Text() const { return out; }

    bool elementsOnly = false;

private:
    void Leaf(const char* tag, const char* value);
    void NumberList(const char* tag, const float* values, int count, int decimals);

    std::string out;
};

class SaveReadArchive {
public:
    static constexpr bool kReading = true;

    explicit SaveReadArchive(SaveReader& reader) : reader(reader) {}

    void Begin(const char* tag);
    void End(const char* tag);
    void Int(SaveField field, int32_t& value);
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    void Prose(SaveField field, std::string& value);
    void Indices(SaveField field, std::vector<int32_t>& values);
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count);
    void Progress(const char* text, float advance);
    bool Optional(const char* tag) { return NextIs(tag); }

    template <typename Record, typename Items, typename Capture, typename Apply>
    void Elements(const char* element, const Items&, Capture, Apply apply) {
        while (NextIs(element)) {
            Begin(element);
            Record record;
            Visit(*this, record);
            apply(record);
            End(element);
        }
    }
    template <typename Record>
    void Records(const char* tag, const char* element, std::vector<Record>& records) {
        records.clear();
        Begin(tag);
        while (NextIs(element)) {
            Begin(element);
            records.emplace_back();
            Visit(*this, records.back());
            End(element);
        }
        End(tag);
    }

    bool RowsAt(const char* tag) { return NextIs(tag); }
    template <typename Record, typename Items, typename Capture, typename Apply>
    void Rows(const char* tag, const Items&, Capture, Apply apply) {
        const std::string block = reader.ReadBlock(tag);
        ForEachRow(block, [&apply](const std::string& row) {
            Record record;
            SaveRowReader cells(row, ';');
            Visit(cells, record);
            apply(record);
        });
    }

    SaveReader& Reader() { return reader; }
    // Whether the file's network state (its lags and memberships) was laid over the game.
    bool networkRestored = false;

private:
    bool NextIs(const char* tag);

    SaveReader& reader;
};

// The fields of a section as the state document shows them, collected under their keys and then
// written in the document's order. Fields without a key are not shown, nor are the lists inside a
// record: the document lists what it shows itself.
class JsonFields {
public:
    static constexpr bool kReading = false;

    void Begin(const char*) {}
    void End(const char*) {}
    void Int(SaveField field, int32_t& value);
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    void Prose(SaveField field, std::string& value) { Text(field, value); }
    void Indices(SaveField, std::vector<int32_t>&) {}
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count) { Numbers(field, values, count); }
    void Progress(const char*, float) {}
    bool Optional(const char*) { return true; }
    template <typename Record> void Records(const char*, const char*, std::vector<Record>&) {}

    // A field the document shows that the file does not hold (a figure worked out from the game).
    void Extra(const char* key, std::function<void(JsonWriter& json)> write);
    // Writes the fields named in `order` first, in that order, then any other field in the order
    // it was visited: a field a section gains reaches the document even before it is placed.
    void WriteTo(JsonWriter& json, std::initializer_list<const char*> order) const;

private:
    struct Entry {
        const char* key;
        std::function<void(JsonWriter& json)> write;
    };
    std::vector<Entry> entries;
};
