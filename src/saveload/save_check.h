#pragma once
// The damage check: a saved game is read whole, strictly, before anything of the game in play is
// cleared. It walks the same field lists as the writer and the reader (save_sections.h), but
// every tag must come exactly where the writer puts it and every number must read as one; the
// first thing that does not is the problem reported. It reads into records of its own and
// applies nothing, so a refused file leaves the game as it was.

#include "saveload/save_archive.h"

#include <cstdint>
#include <string>
#include <vector>

class SaveCheckArchive {
public:
    // Sections capture nothing from the game and apply nothing to it for this archive.
    static constexpr bool kReading = false;

    explicit SaveCheckArchive(const std::string& text) : text(text) {}

    void Begin(const char* tag);
    void End(const char* tag);
    void Int(SaveField field, int32_t& value);
    void Unsigned(SaveField field, uint32_t& value);
    void Float(SaveField field, float& value);
    void Flag(SaveField field, bool& value);
    void Text(SaveField field, std::string& value);
    void Prose(SaveField field, std::string& value);
    void Indices(SaveField field, std::vector<int32_t>& values);
    void Numbers(SaveField field, float* values, int count);
    void FineNumbers(SaveField field, float* values, int count);
    void Progress(const char*, float) {}
    bool Optional(const char* tag) { return NextIs(tag); }

    template <typename Record, typename Items, typename Capture, typename Apply>
    void Elements(const char* element, const Items&, Capture, Apply) {
        while (NextIs(element)) {
            Begin(element);
            Record record;
            Visit(*this, record);
            End(element);
        }
    }
    template <typename Record>
    void Records(const char* tag, const char* element, std::vector<Record>&) {
        Begin(tag);
        while (NextIs(element)) {
            Begin(element);
            Record record;
            Visit(*this, record);
            End(element);
        }
        End(tag);
    }

    bool RowsAt(const char* tag) { return NextIs(tag); }
    template <typename Record, typename Items, typename Capture, typename Apply>
    void Rows(const char* tag, const Items&, Capture, Apply) {
        size_t start = 0, end = 0;
        if (!Leaf(tag, start, end))
            return;
        size_t number = 0;
        const bool ended = ForEachRow(text.substr(start, end - start), [&](const std::string& row) {
            ++number;
            if (!problem.empty())
                return;
            SaveRowCheck cells(row, ';');
            Record record;
            Visit(cells, record);
            cells.Finish();
            if (!cells.Problem().empty())
                Fail("row " + std::to_string(number) + " of <" + tag + "> " + Where() +
                     " is wrong: " + cells.Problem());
        });
        if (!ended)
            Fail("the last row of <" + std::string(tag) + "> " + Where() + " breaks off");
    }

    // Only blanks may follow the last tag.
    void Finish();
    // The first problem found, in words; empty while the file is sound.
    const std::string& Problem() const { return problem; }

private:
    // Whether the next tag is exactly "<tag>"; nothing moves.
    bool NextIs(const char* tag);
    // Whether "<" slash tag ">" stands at this place; end is then just past it.
    bool TagAt(size_t at, const char* slash, const char* tag, size_t& end) const;
    // Takes the tag starting after any blanks, or reports what stands there instead.
    bool Expect(const char* slash, const char* tag);
    // The value of a leaf "<tag>value</tag>", as its place in the text; false after reporting
    // when it is not there.
    bool Leaf(const char* tag, size_t& start, size_t& end);
    void Number(const char* tag, size_t start, size_t end, bool integer);
    // A comma-separated list of numbers in one leaf, each checked as Number does.
    void NumberList(const char* tag, bool integer);
    void Fail(const std::string& what);
    // "in section "voters"", or where the file stands when no section is open.
    std::string Where() const;
    void SkipBlanks();

    const std::string& text;
    size_t position = 0;
    std::vector<std::string> open;
    std::string lastClosed;
    std::string problem;
};

// What is wrong with the text of a saved game, in words ("it breaks off in section "voters""); an
// empty text for a sound one.
std::string FindSaveDamage(const std::string& text);
