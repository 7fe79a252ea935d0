#include "saveload/save_archive.h"

#include "base/front_end.h"
#include "base/json_writer.h"
#include "saveload/save_reader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Each element is built in a buffer of this size, so a value never makes a line longer.
constexpr size_t kLineCapacity = 1024;

namespace {

const struct {
    char plain;
    const char* written;
} kEscapes[] = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}};

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        const char* written = nullptr;
        for (const auto& escape : kEscapes)
            if (c == escape.plain)
                written = escape.written;
        if (written)
            out += written;
        else
            out += c;
    }
    return out;
}

// An entity cut short by a damaged file, or one this writer never makes, stays as it stands.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        for (const auto& escape : kEscapes) {
            if (text.compare(i, std::strlen(escape.written), escape.written) == 0) {
                out += escape.plain;
                i += std::strlen(escape.written) - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i];
    }
    return out;
}

} // namespace

void SaveWriteArchive::Line(const char* text) {
    out += text;
    out += '\n';
}

void SaveWriteArchive::Leaf(const char* tag, const char* value) {
    char line[kLineCapacity];
    std::snprintf(line, sizeof line, "<%s>%s</%s>", tag, value, tag);
    Line(line);
}

void SaveWriteArchive::Begin(const char* tag) {
    out += '<';
    out += tag;
    out += ">\n";
}

void SaveWriteArchive::End(const char* tag) {
    out += "</";
    out += tag;
    out += ">\n";
}

void SaveWriteArchive::Int(SaveField field, int32_t& value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d", value);
    Leaf(field.tag, text);
}

void SaveWriteArchive::Unsigned(SaveField field, uint32_t& value) {
    char text[32];
    std::snprintf(text, sizeof text, "%u", value);
    Leaf(field.tag, text);
}

namespace {

// A number with the given decimals, or with as many more as it takes to read back as the very
// same float, so that a loaded game goes on exactly as the saved one. Most figures need no more
// than the usual count.
void FormatExact(char* text, size_t size, float value, int decimals) {
    const double wide = static_cast<double>(value);
    std::snprintf(text, size, "%.*f", decimals, wide);
    if (!std::isfinite(value))
        return;
    while (std::strtof(text, nullptr) != value && decimals < 60)
        std::snprintf(text, size, "%.*f", ++decimals, wide);
}

} // namespace

void SaveWriteArchive::Float(SaveField field, float& value) {
    char text[512];
    FormatExact(text, sizeof text, value, 8);
    Leaf(field.tag, text);
}

void SaveWriteArchive::Flag(SaveField field, bool& value) {
    Leaf(field.tag, value ? "1" : "0");
}

void SaveWriteArchive::Text(SaveField field, std::string& value) {
    Leaf(field.tag, value.c_str());
}

void SaveWriteArchive::Prose(SaveField field, std::string& value) {
    // Built without the line buffer: a long paragraph is kept whole, up to what a reader takes.
    out += std::string("<") + field.tag + ">" + Escape(value) + "</" + field.tag + ">\n";
}

// Built without the line buffer: a list of exact figures may run past it.
void SaveWriteArchive::NumberList(const char* tag, const float* values, int count, int decimals) {
    std::string text;
    char cell[512];
    for (int i = 0; i < count; ++i) {
        FormatExact(cell, sizeof cell, values[i], decimals);
        text += cell;
        text += ',';
    }
    out += std::string("<") + tag + ">" + text + "</" + tag + ">\n";
}

void SaveWriteArchive::Indices(SaveField field, std::vector<int32_t>& values) {
    std::string text;
    for (int32_t value : values)
        text += std::to_string(value) + ",";
    out += std::string("<") + field.tag + ">" + text + "</" + field.tag + ">\n";
}

void SaveWriteArchive::Numbers(SaveField field, float* values, int count) {
    NumberList(field.tag, values, count, 3);
}

void SaveWriteArchive::FineNumbers(SaveField field, float* values, int count) {
    NumberList(field.tag, values, count, 6);
}

void SaveReadArchive::Begin(const char* tag) {
    reader.FindTag(tag);
}

void SaveReadArchive::End(const char* tag) {
    reader.FindTag((std::string("/") + tag).c_str());
}

bool SaveReadArchive::NextIs(const char* tag) {
    return reader.IsNextTag(tag);
}

void SaveReadArchive::Int(SaveField field, int32_t& value) {
    reader.ReadInt(field.tag, value);
}

void SaveReadArchive::Unsigned(SaveField field, uint32_t& value) {
    value = static_cast<uint32_t>(std::strtoul(reader.ReadValue(field.tag).c_str(), nullptr, 10));
}

void SaveReadArchive::Float(SaveField field, float& value) {
    reader.ReadFloat(field.tag, value);
}

void SaveReadArchive::Flag(SaveField field, bool& value) {
    reader.ReadBool(field.tag, value);
}

void SaveReadArchive::Text(SaveField field, std::string& value) {
    reader.ReadString(field.tag, value);
}

void SaveReadArchive::Prose(SaveField field, std::string& value) {
    value = Unescape(reader.ReadValue(field.tag));
}

void SaveReadArchive::Indices(SaveField field, std::vector<int32_t>& values) {
    reader.ReadIndices(field.tag, values);
}

void SaveReadArchive::Numbers(SaveField field, float* values, int count) {
    reader.ReadList(field.tag, values, count);
}

void SaveReadArchive::FineNumbers(SaveField field, float* values, int count) {
    reader.ReadList(field.tag, values, count);
}

void SaveReadArchive::Progress(const char* text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

// The values are copied as they are visited: a section may hand over a figure it worked out for
// the moment of the visit.
void JsonFields::Int(SaveField field, int32_t& value) {
    if (field.key)
        entries.push_back({field.key, [value = static_cast<int>(value), field](JsonWriter& json) {
                               json.Field(field.key, value);
                           }});
}

void JsonFields::Unsigned(SaveField field, uint32_t& value) {
    if (field.key)
        entries.push_back({field.key, [value = static_cast<float>(value), field](JsonWriter& json) {
                               json.Field(field.key, value);
                           }});
}

void JsonFields::Float(SaveField field, float& value) {
    if (field.key)
        entries.push_back(
            {field.key, [value, field](JsonWriter& json) { json.Field(field.key, value); }});
}

void JsonFields::Flag(SaveField field, bool& value) {
    if (field.key)
        entries.push_back(
            {field.key, [value, field](JsonWriter& json) { json.Field(field.key, value); }});
}

void JsonFields::Text(SaveField field, std::string& value) {
    if (field.key)
        entries.push_back(
            {field.key, [value, field](JsonWriter& json) { json.Field(field.key, value); }});
}

void JsonFields::Numbers(SaveField field, float* values, int count) {
    if (field.key)
        entries.push_back(
            {field.key,
             [list = std::vector<float>(values, values + count), field](JsonWriter& json) {
                 json.FloatArray(field.key, list.data(), static_cast<int>(list.size()));
             }});
}

void JsonFields::Extra(const char* key, std::function<void(JsonWriter& json)> write) {
    entries.push_back({key, [key, write](JsonWriter& json) {
                           json.Key(key);
                           write(json);
                       }});
}

void JsonFields::WriteTo(JsonWriter& json, std::initializer_list<const char*> order) const {
    std::vector<bool> written(entries.size(), false);
    auto writeKey = [&](const std::string& key) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (!written[i] && key == entries[i].key) {
                entries[i].write(json);
                written[i] = true;
            }
        }
    };
    for (const char* key : order)
        writeKey(key);
    for (size_t i = 0; i < entries.size(); ++i)
        if (!written[i])
            writeKey(entries[i].key);
}
