#pragma once
// A content file read for checking rather than for play: every line kept with its number, so
// that a complaint can point at it, and INI sections split out with the line of each entry. The
// reader refuses files that cannot be content (binary data, absurd sizes) instead of guessing.

#include <string>
#include <vector>

struct ContentLine {
    int number = 0;   // from 1
    std::string text; // without its line end
};

struct ContentText {
    std::string path;
    std::vector<ContentLine> lines;
    // Why the file cannot be read as text; empty when it was read.
    std::string refusal;
};

// Reads the file (a path under the data root or an absolute one). A file that cannot be opened,
// holds control characters other than tabs and line ends, or is larger than any content file
// could sensibly be, comes back with a refusal and no lines.
ContentText ReadContentText(const std::string& path);

struct ContentEntry {
    std::string key; // trailing blanks removed, as the game's reader does
    std::string value;
    int line = 0;
};

struct ContentSection {
    std::string name;
    int line = 0; // the line of the [name] header
    std::vector<ContentEntry> entries;

    // The first entry of that key; null when there is none.
    const ContentEntry* Find(const std::string& key) const;
};

// The sections of an INI-style file in file order. Lines before the first header, blank lines
// and comments (a key starting with '/' or ';') are left out. Values lose their double quotes
// and escaping backslashes, as the game's section reader drops them.
std::vector<ContentSection> ContentSections(const ContentText& text);

// The first section whose name matches without regard to case; null when there is none.
const ContentSection* FindContentSection(const std::vector<ContentSection>& sections,
                                         const std::string& name);

// True when the whole text, blanks aside, reads as a decimal number.
bool IsContentNumber(const std::string& text, float* value = nullptr);
// True when the whole text, blanks aside, reads as a whole number.
bool IsContentWholeNumber(const std::string& text, long* value = nullptr);
