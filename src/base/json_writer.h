#pragma once
// A small streaming JSON writer for the headless runner's state dumps. Numbers are printed so that
// a float survives the trip exactly and every run prints the same bytes; NaN and infinities, which
// JSON cannot hold, become null.

#include <string>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Names the next value inside an object.
    void Key(const std::string& key);

    void Value(const std::string& text);
    void Value(const char* text) { Value(std::string(text)); }
    void Value(float number);
    void Value(int number);
    void Value(bool flag);
    void Null();

    template <typename T> void Field(const std::string& key, const T& value) {
        Key(key);
        Value(value);
    }
    void FloatArray(const std::string& key, const float* values, int count);

    // The document so far; complete once every object and array is closed.
    const std::string& Text() const { return text; }

private:
    void BeforeValue();
    void Indent();

    std::string text;
    // One entry per open container: whether it already holds an element.
    std::vector<bool> hasElement;
    bool afterKey = false;
};

std::string JsonEscape(const std::string& text);
