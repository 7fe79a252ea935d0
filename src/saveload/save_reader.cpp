// The scanner over a saved game's tags. The sections read with it are in save_sections.cpp, and
// the order of a whole load in game/load_game.cpp.

#include "saveload/save_reader.h"

#include "base/debug_log.h"
#include "saveload/save_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

bool SaveReader::OpenSave(const std::string& name) {
    const std::string refusal = SaveNameRefusal(name);
    if (!refusal.empty()) {
        REPORT_ERROR(refusal.c_str());
        return false;
    }
    std::string path = SavePath(name);
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        REPORT_ERROR("Failed to open save game");
        return false;
    }
    std::string data;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.append(chunk, got);
    if (std::ferror(f))
        REPORT_ERROR("Failed to read in file data");
    std::fclose(f);
    SetText(std::move(data));
    return true;
}

void SaveReader::SetText(std::string newText) {
    text = std::move(newText);
    position = 0;
    missedTag = false;
}

bool SaveReader::NextTagName(std::string& name) {
    size_t open = text.find('<', position);
    if (open == std::string::npos) {
        position = text.size();
        return false;
    }
    size_t close = text.find('>', open + 1);
    if (close == std::string::npos) {
        position = text.size();
        return false;
    }
    name.assign(text, open + 1, close - open - 1);
    position = close + 1;
    return true;
}

bool SaveReader::FindTag(const char* tag) {
    std::string name;
    while (NextTagName(name)) {
        if (name == tag)
            return true;
    }
    char message[512];
    std::snprintf(message, sizeof message, "missing tag: %s", tag);
    REPORT_ERROR(message);
    missedTag = true;
    return false;
}

bool SaveReader::IsNextTag(const char* tag) {
    size_t mark = position;
    std::string name;
    bool found = NextTagName(name) && name == tag;
    position = mark;
    return found;
}

const std::string& SaveReader::ReadValue(const char* tag) {
    return ReadValueUpTo(tag, 1023);
}

const std::string& SaveReader::ReadValueUpTo(const char* tag, size_t limit) {
    value.clear();
    if (!FindTag(tag))
        return value;
    size_t end = text.find('<', position);
    if (end == std::string::npos)
        end = text.size();
    // Values never reach this length in a file we wrote; the cut keeps hostile input bounded.
    value.assign(text, position, std::min<size_t>(end - position, limit));
    position = end;
    std::string closing = std::string("/") + tag;
    FindTag(closing.c_str());
    return value;
}

// A damaged or hand-edited file must not hand the game figures that overflow its arithmetic
// (a year times twelve, a turn count plus one); no saved figure comes near these bounds.
constexpr long kMaxSavedInt = 100000000;

void SaveReader::ReadInt(const char* tag, int& out) {
    long number = std::strtol(ReadValue(tag).c_str(), nullptr, 10);
    out = static_cast<int>(std::clamp(number, -kMaxSavedInt, kMaxSavedInt));
}

namespace {

float SafeFloat(const char* text) {
    float number = std::strtof(text, nullptr);
    return std::isfinite(number) ? number : 0.0f;
}

} // namespace

void SaveReader::ReadFloat(const char* tag, float& out) {
    out = SafeFloat(ReadValue(tag).c_str());
}

void SaveReader::ReadBool(const char* tag, bool& out) {
    int flag = 0;
    ReadInt(tag, flag);
    out = flag != 0;
}

void SaveReader::ReadString(const char* tag, std::string& out) {
    out = ReadValue(tag);
}

void SaveReader::ReadList(const char* tag, float* out, int count) {
    // Exact figures may take many digits each; a list is still bounded.
    const std::string& list = ReadValueUpTo(tag, 64 * 1024);
    size_t start = 0;
    int index = 0;
    while (start < list.size() && index < count) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        out[index++] = SafeFloat(list.substr(start, comma - start).c_str());
        start = comma + 1;
    }
}

void SaveReader::ReadIndices(const char* tag, std::vector<int32_t>& out) {
    out.clear();
    // Bounded by the file it comes from, which has been read whole.
    const std::string& list = ReadValueUpTo(tag, text.size());
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        long number = std::strtol(list.c_str() + start, nullptr, 10);
        out.push_back(static_cast<int32_t>(std::clamp(number, -kMaxSavedInt, kMaxSavedInt)));
        start = comma + 1;
    }
}

std::string SaveReader::PeekValue(const char* tag) const {
    std::string open = std::string("<") + tag + ">";
    size_t at = text.find(open);
    if (at == std::string::npos)
        return std::string();
    at += open.size();
    size_t end = text.find('<', at);
    if (end == std::string::npos)
        return std::string();
    return text.substr(at, std::min<size_t>(end - at, 1023));
}
