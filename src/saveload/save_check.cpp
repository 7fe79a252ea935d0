#include "saveload/save_check.h"

#include "saveload/save_sections.h"

#include <cerrno>
#include <cstdlib>

namespace {

// What a reader of the message sees of a value or a tag: its start, on one line.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text.substr(0, 40))
        shown += static_cast<unsigned char>(c) < 32 ? ' ' : c;
    if (text.size() > 40)
        shown += "...";
    return shown;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

} // namespace

void SaveCheckArchive::Fail(const std::string& what) {
    if (problem.empty())
        problem = what;
}

std::string SaveCheckArchive::Where() const {
    // The outermost element is the file itself; the sections are the elements inside it.
    if (open.size() >= 2)
        return "in section \"" + open[1] + "\"";
    if (!lastClosed.empty())
        return "after section \"" + lastClosed + "\"";
    return "at its start";
}

void SaveCheckArchive::SkipBlanks() {
    while (position < text.size() && IsBlank(text[position]))
        ++position;
}

bool SaveCheckArchive::TagAt(size_t at, const char* slash, const char* tag, size_t& end) const {
    if (at >= text.size() || text[at] != '<')
        return false;
    ++at;
    for (const char* part : {slash, tag}) {
        for (; *part; ++part, ++at) {
            if (at >= text.size() || text[at] != *part)
                return false;
        }
    }
    if (at >= text.size() || text[at] != '>')
        return false;
    end = at + 1;
    return true;
}

bool SaveCheckArchive::NextIs(const char* tag) {
    if (!problem.empty())
        return false;
    size_t at = position;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    size_t end = 0;
    return TagAt(at, "", tag, end);
}

bool SaveCheckArchive::Expect(const char* slash, const char* tag) {
    if (!problem.empty())
        return false;
    SkipBlanks();
    if (position >= text.size()) {
        Fail("it breaks off " + Where());
        return false;
    }
    size_t end = 0;
    if (TagAt(position, slash, tag, end)) {
        position = end;
        return true;
    }
    const size_t close = text.find('>', position);
    if (text[position] == '<' && close == std::string::npos) {
        Fail("it breaks off " + Where());
        return false;
    }
    const std::string found = close == std::string::npos
                                  ? text.substr(position)
                                  : text.substr(position, close + 1 - position);
    Fail("<" + std::string(slash) + tag + "> is missing " + Where() + ", where \"" + Shown(found) +
         "\" stands");
    return false;
}

void SaveCheckArchive::Begin(const char* tag) {
    if (Expect("", tag))
        open.push_back(tag);
}

void SaveCheckArchive::End(const char* tag) {
    if (!Expect("/", tag))
        return;
    if (!open.empty())
        open.pop_back();
    if (open.size() == 1)
        lastClosed = tag;
}

bool SaveCheckArchive::Leaf(const char* tag, size_t& start, size_t& end) {
    if (!Expect("", tag))
        return false;
    start = position;
    end = text.find('<', position);
    if (end == std::string::npos) {
        Fail("it breaks off " + Where() + ", in the value of <" + std::string(tag) + ">");
        return false;
    }
    position = end;
    // The value ends the line it is on: a closing tag of another name means a cut-and-paste.
    return Expect("/", tag);
}

void SaveCheckArchive::Number(const char* tag, size_t start, size_t end, bool integer) {
    // Every value is followed by a "<" in the text, so the C readers stop within it.
    const char* from = text.c_str() + start;
    char* stop = nullptr;
    errno = 0;
    if (integer)
        std::strtol(from, &stop, 10);
    else
        std::strtod(from, &stop);
    // Blanks before a number would be skipped by the readers; the writer puts none there.
    const bool blankFirst = start < end && IsBlank(text[start]);
    // Infinite and not-a-number values read as numbers here; the reader takes them as zero.
    if (start == end || blankFirst || stop != text.c_str() + end || (integer && errno == ERANGE))
        Fail("the value \"" + Shown(text.substr(start, end - start)) + "\" of <" + tag + "> " +
             Where() + " is not a number");
}

void SaveCheckArchive::Int(SaveField field, int32_t&) {
    size_t start = 0, end = 0;
    if (Leaf(field.tag, start, end))
        Number(field.tag, start, end, true);
}

void SaveCheckArchive::Unsigned(SaveField field, uint32_t&) {
    size_t start = 0, end = 0;
    if (Leaf(field.tag, start, end))
        Number(field.tag, start, end, true);
}

void SaveCheckArchive::Float(SaveField field, float&) {
    size_t start = 0, end = 0;
    if (Leaf(field.tag, start, end))
        Number(field.tag, start, end, false);
}

void SaveCheckArchive::Flag(SaveField field, bool&) {
    int32_t unused = 0;
    Int(field, unused);
}

void SaveCheckArchive::Text(SaveField field, std::string&) {
    size_t start = 0, end = 0;
    Leaf(field.tag, start, end);
}

void SaveCheckArchive::Prose(SaveField field, std::string& value) {
    Text(field, value);
}

void SaveCheckArchive::Numbers(SaveField field, float*, int) {
    NumberList(field.tag, false);
}

void SaveCheckArchive::Indices(SaveField field, std::vector<int32_t>&) {
    NumberList(field.tag, true);
}

void SaveCheckArchive::NumberList(const char* tag, bool integer) {
    size_t start = 0, end = 0;
    if (!Leaf(tag, start, end))
        return;
    while (start < end && problem.empty()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos || comma > end)
            comma = end;
        // strtod stops at the comma, which is what ends each number.
        Number(tag, start, comma, integer);
        start = comma + 1;
    }
}

void SaveCheckArchive::FineNumbers(SaveField field, float* values, int count) {
    Numbers(field, values, count);
}

void SaveCheckArchive::Finish() {
    if (!problem.empty())
        return;
    SkipBlanks();
    if (position < text.size())
        Fail("there is more after its last tag: \"" + Shown(text.substr(position)) + "\"");
}

std::string FindSaveDamage(const std::string& text) {
    SaveCheckArchive check(text);
    HeaderRecord header;
    check.Begin("xml");
    Visit(check, header);
    VisitSavedGame(check);
    check.End("xml");
    check.Finish();
    return check.Problem();
}
