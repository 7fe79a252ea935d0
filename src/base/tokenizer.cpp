#include "base/tokenizer.h"

#include "base/content_numbers.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

void CTokenizer::Begin(const std::string& row, char sep) {
    text = row;
    separator = sep;
    position = 0;
    token.clear();
}

const std::string& CTokenizer::NextToken() {
    token.clear();
    bool quoted = false;
    while (position < text.size()) {
        char c = text[position++];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            break;
        } else {
            token += c;
        }
    }
    return token;
}

std::string RightTrim(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n' ||
                       text[end - 1] == '\t'))
        --end;
    return text.substr(0, end);
}

int CTokenizer::NextInt() {
    // strtol saturates where atoi would overflow on a corrupt cell.
    long n = std::strtol(RightTrim(NextToken()).c_str(), nullptr, 10);
    return static_cast<int>(std::max<long>(INT_MIN, std::min<long>(INT_MAX, n)));
}

float CTokenizer::NextFloat() {
    const std::string cell = RightTrim(NextToken());
    return FiniteContentNumber(std::strtof(cell.c_str(), nullptr), 0.0f, cell);
}

std::string CTokenizer::NextString() {
    return RightTrim(NextToken());
}
