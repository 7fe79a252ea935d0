#pragma once
// What the load screen shows of a save before loading it: when it was written, and the turn,
// country and poll share its envelope records. Only the first few kilobytes of the file are read,
// so a long list of saves opens at once.

#include <ctime>
#include <string>
#include <vector>

struct SavePreview {
    std::string name;        // without ".xml"
    std::time_t written = 0; // the file's last write
    bool hasDetails = false; // false for saves written before the envelope carried them
    // Set by the load screen, which checks the whole file: it will not load.
    bool damaged = false;
    int turn = 0;
    std::string country;
    float poll = 0;
};

// The preview of one save; a file that cannot be read comes back with only its name.
SavePreview ReadSavePreview(const std::string& name);
// Every save in the save folder, the newest first (ties by name).
std::vector<SavePreview> ListSavePreviews();
