// The script runner over any text, in an empty game: every command is looked up, its arguments
// cut and read, and whatever it names that the game lacks is reported, never followed.

#include "fuzz_support.h"
#include "government/script_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QuietFuzzing();
    const std::string text(reinterpret_cast<const char*>(data), size);
    // A text naming a ".txt" file would be opened as one; the text itself is what is fuzzed.
    GetScriptRunner().RunScriptText(text);
    return 0;
}
