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
