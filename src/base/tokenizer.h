#pragma once
// CTokenizer: splits one content row into cells. A double quote toggles a quoted stretch in which
// the separator does not split; the quotes themselves are dropped.

#include <string>

class CTokenizer {
public:
    CTokenizer() = default;
    CTokenizer(const std::string& row, char separator = ',') { Begin(row, separator); }

    void Begin(const std::string& row, char separator = ',');
    // The next cell, valid until the next read. A row's line end stays in its last cell.
    const std::string& NextToken();
    // The next cell with trailing blanks and line ends removed, read by the C library's rules.
    int NextInt();
    float NextFloat();
    std::string NextString();
    bool AtEnd() const { return position >= text.size(); }

private:
    size_t position = 0;
    std::string text;
    std::string token;
    char separator = ',';
};

// Removes trailing spaces, carriage returns and line feeds (tabs too).
std::string RightTrim(const std::string& text);
