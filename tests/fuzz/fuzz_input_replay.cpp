// The input replay reader over any text: parsed, and when it takes the text, applied frame by
// frame to an input state until it is finished.

#include "fuzz_support.h"
#include "platform/input_replay.h"
#include "platform/input_state.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QuietFuzzing();
    InputReplay replay;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!replay.Parse(text, "fuzz.txt"))
        return 0;
    InputState state;
    const int last = replay.LastFrame();
    for (int frame = 0; frame <= last && frame < 100000; frame += 1 + frame / 64)
        replay.Apply(frame, state);
    replay.Apply(last, state);
    if (!replay.Finished())
        std::abort();
    return 0;
}
