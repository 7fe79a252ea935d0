#include "base/json_writer.h"

#include <cmath>
#include <cstdio>

std::string JsonEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

void JsonWriter::Indent() {
    text += '\n';
    text.append(hasElement.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!hasElement.empty()) {
        if (hasElement.back())
            text += ',';
        hasElement.back() = true;
        Indent();
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text += '{';
    hasElement.push_back(false);
}

void JsonWriter::EndObject() {
    bool any = hasElement.back();
    hasElement.pop_back();
    if (any)
        Indent();
    text += '}';
    if (hasElement.empty())
        text += '\n';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text += '[';
    hasElement.push_back(false);
}

void JsonWriter::EndArray() {
    bool any = hasElement.back();
    hasElement.pop_back();
    if (any)
        Indent();
    text += ']';
}

void JsonWriter::Key(const std::string& key) {
    BeforeValue();
    text += '"' + JsonEscape(key) + "\": ";
    afterKey = true;
}

void JsonWriter::Value(const std::string& value) {
    BeforeValue();
    text += '"' + JsonEscape(value) + '"';
}

void JsonWriter::Value(float number) {
    BeforeValue();
    if (!std::isfinite(number)) {
        text += "null";
        return;
    }
    // Nine significant digits always bring a float back to the same bits.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(number));
    text += buffer;
}

void JsonWriter::Value(int number) {
    BeforeValue();
    text += std::to_string(number);
}

void JsonWriter::Value(bool flag) {
    BeforeValue();
    text += flag ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text += "null";
}

void JsonWriter::FloatArray(const std::string& key, const float* values, int count) {
    Key(key);
    // Histories are long; one line each keeps the document readable.
    BeforeValue();
    text += '[';
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ", ";
        if (!std::isfinite(values[i])) {
            text += "null";
            continue;
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(values[i]));
        text += buffer;
    }
    text += ']';
}
