// The saved-game reader over any bytes: the damage check, then the forward scanner the way a load
// uses it, over the same text. Neither may crash, read out of bounds, stand still or hand back
// a value longer than its bound; a text the check passes must scan without a missing tag.

#include "fuzz_support.h"
#include "saveload/save_check.h"
#include "saveload/save_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QuietFuzzing();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string damage = FindSaveDamage(text);

    SaveReader reader;
    reader.SetText(text);
    std::string value;
    float list[40];
    int32_t number = 0;
    std::vector<int32_t> places;
    reader.FindTag("xml");
    reader.ReadString("version", value);
    size_t steps = 0;
    while (reader.IsNextTag("voter") && steps++ <= size) {
        reader.FindTag("voter");
        reader.ReadInt("ForeID", number);
        // A short list fills only its first slots.
        std::fill(list, list + 40, 0.0f);
        reader.ReadList("history", list, 40);
        reader.ReadIndices("members", places);
        for (float v : list)
            if (!std::isfinite(v))
                std::abort();
        if (reader.ReadValue("Value").size() > 1023)
            std::abort();
    }
    if (steps > size + 1)
        std::abort();
    reader.FindTag("/xml");
    (void)damage;
    return 0;
}
