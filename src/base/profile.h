#pragma once
// Our INI "profile" layer: reads whole sections and single keys from INI-style text files and
// writes single keys back. Section names and keys match without regard to case; lines starting
// with ';' are skipped; only the first occurrence of a section counts. The higher readers
// (CIniSection, the translation table) apply their own escape and comment rules on top.

#include <cstddef>
#include <string>

// Copies the lines of the section into buffer, each line NUL-terminated and the whole ended by an
// empty string. Leading blanks and line ends are removed; blank lines are skipped. Text beyond
// the capacity is cut. Returns the number of bytes written before the final terminator
// (0 when the file or section is missing).
size_t ReadProfileSection(const std::string& file, const std::string& section, char* buffer,
                          size_t capacity);

// The value of key in section, blanks around it removed and one pair of enclosing quotes
// dropped, cut to maxChars characters; fallback when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& fallback, const std::string& file,
                             size_t maxChars = 2047);

// The value read as a decimal integer (leading digits only); fallback when the key is missing.
int GetProfileInt(const std::string& section, const std::string& key, int fallback,
                  const std::string& file);

// Sets key=value in section, adding the key or the section when missing. The file is rewritten
// beside itself and moved into place, so a failed write leaves the old file whole.
// Returns false when the file cannot be written.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file);

// Writes text to path so that a crash, a killed process or a full disk at any moment leaves either
// the old file or the new one, whole: the text goes to "<path>.tmp" beside it, is flushed to the
// disk, renamed over the old file, and the folder is flushed so that the rename itself lasts.
// False when anything fails, with errno saying why and the old file (if any) untouched.
bool WriteFileReplacing(const std::string& path, const std::string& text);
// Removes a "<path>.tmp" that no write is working on (one left by a killed or crashed run); a
// file another run is writing this moment is left alone. True when it was removed.
bool RemoveAbandonedTemp(const std::string& temp);
