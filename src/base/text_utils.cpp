#include "base/text_utils.h"

#include <cctype>
#include <cstdio>

namespace {
template <typename Fold> std::string FoldCopy(const std::string& text, Fold fold) {
    if (text.size() >= kTextHelperLimit)
        return text;
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}
} // namespace

std::string LowerCopy(const std::string& text) {
    return FoldCopy(text, [](unsigned char c) { return std::tolower(c); });
}

std::string UpperCopy(const std::string& text) {
    return FoldCopy(text, [](unsigned char c) { return std::toupper(c); });
}

std::string TrimBlanks(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(blanks);
    return text.substr(begin, end - begin + 1);
}

std::string PrintableText(const std::string& text) {
    std::string out;
    for (char c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Windows1252ToUtf8(const std::string& text) {
    // Code points of 0x80..0x9F; 0 where the code page assigns nothing.
    static const unsigned short kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const unsigned code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
        if (code == 0 && byte != 0)
            continue;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
