#pragma once
// What every fuzz target shares: a front end that keeps quiet (the readers report every fault in
// a box, and a million boxes on stderr would drown the fuzzer's own output), and a scratch file
// for the readers that take a file name.

#include "base/front_end.h"

#include <cstddef>
#include <cstdint>
#include <string>

class QuietFuzzFrontEnd : public FrontEnd {
public:
    void ShowMessageBox(const std::string&, const std::string&, MessageBoxIcon) override {}
    void DebuggerOutput(const std::string&) override {}
    OsVersion GetOsVersion() override { return OsVersion{}; }
};

// Installs the quiet front end and starts an empty game, once.
void QuietFuzzing();

// Writes the bytes to this process's scratch file and returns its path.
const std::string& FuzzFile(const uint8_t* data, size_t size, const char* extension);
