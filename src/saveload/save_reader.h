#pragma once
// The saved-game reader: a forward scanner over the tags of a file written by SaveGame (not a
// general XML parser). The sections it reads are those the writer writes (save_sections.h);
// LoadGame (game/load_game.h) lays them over a game whose content has been read afresh.

#include <cstdint>
#include <string>
#include <vector>

class SaveReader {
public:
    // Reads "<save folder>/<name>.xml" whole. False, after one error box, for a name the save
    // name rule refuses ("Failed to open save game" when the file cannot be opened).
    bool OpenSave(const std::string& name);
    // Takes the text directly (tests, and a look-ahead over a file already read).
    void SetText(std::string text);
    const std::string& Text() const { return text; }

    // Moves just past the next tag of exactly this name; a miss shows "missing tag: %s" and
    // leaves the position at the end, so every later search fails the same way.
    bool FindTag(const char* tag);
    // Whether the very next tag has this name; the position does not move.
    bool IsNextTag(const char* tag);
    // The text between the tag and the next "<", then past the closing tag; empty on a miss.
    const std::string& ReadValue(const char* tag);
    void ReadInt(const char* tag, int& out);
    void ReadFloat(const char* tag, float& out);
    void ReadBool(const char* tag, bool& out);
    void ReadString(const char* tag, std::string& out);
    // A comma-ended number list into at most count slots; extra numbers are ignored.
    void ReadList(const char* tag, float* out, int count);
    // A comma-ended list of whole numbers, as long as it is.
    void ReadIndices(const char* tag, std::vector<int32_t>& out);
    // The text of an element that holds rows, as long as it is.
    const std::string& ReadBlock(const char* tag) { return ReadValueUpTo(tag, text.size()); }
    // The value of the first leaf of this name anywhere in the text, without moving or reporting.
    std::string PeekValue(const char* tag) const;
    // Whether some search since the text was taken found no tag.
    bool MissedTag() const { return missedTag; }

private:
    const std::string& ReadValueUpTo(const char* tag, size_t limit);
    // The name of the tag starting at or after the position; the position moves past its ">".
    bool NextTagName(std::string& name);

    std::string text;
    size_t position = 0;
    std::string value;
    bool missedTag = false;
};
