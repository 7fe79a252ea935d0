#pragma once
// Numbers read from content (data files and mods) are checked where they are read: a value that
// is not a finite number is refused with a message naming the file, the line and the value, and
// the reader's default is used instead. The row readers say which file and line they are on
// while a row is handled (ContentPlace), so the readers of the fields need not carry them.

#include <string>

// The value when it is a finite number; otherwise one message (file, line, the value as written
// when given, else as read) and the fallback.
float FiniteContentNumber(float value, float fallback, const std::string& written = "");

// The first line (from 1) of the file that sets key=...; 0 when none does.
int FindKeyLine(const std::string& file, const std::string& key);

// The most voters a game may simulate: the largest population the benchmark runs, with room.
constexpr float kMaxVoterCount = 100000.0f;

// Refuses every setup value that is not a finite number and a voter count ("AIENTITIES") below 1
// or above kMaxVoterCount, each with one message; the value is set to what the game then uses.
void CheckSetupNumbers();
