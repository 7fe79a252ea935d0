#pragma once
// Case-folding copies used by the readers when they compare or build content keys. Content texts
// live in fixed 1024-byte buffers elsewhere, so a text too long for one comes back unchanged.

#include <string>

// Texts of this many characters or more are returned as they stand.
constexpr size_t kTextHelperLimit = 1024;

std::string LowerCopy(const std::string& text);
std::string UpperCopy(const std::string& text);

// The text without blanks, tabs and line ends at either end. Values read from INI sections keep
// the blank after "=", which a file name, a neuron name or a module name must not carry.
std::string TrimBlanks(const std::string& text);

// The text with control characters shown as codes ("\x01"), so that a message quoting what a
// player typed or a damaged file holds stays on one line.
std::string PrintableText(const std::string& text);
