// The link formulas over any text: parsed once and evaluated at a few inputs, both by the parsed
// form and from the text, which must agree wherever both give a number.

#include "fuzz_support.h"
#include "network/formula.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QuietFuzzing();
    // Formulas are held in a short buffer; the parser is given what a link would keep.
    char text[64];
    const size_t length = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, length);
    text[length] = '\0';
    ParsedFormula parsed;
    const bool usable = ParseFormula(text, parsed);
    for (float x : {-1.0f, 0.0f, 0.5f, 1.0f, 1e30f}) {
        const float direct = EvaluateFormula(text, x);
        if (usable) {
            const float fast = EvaluateParsedFormula(parsed, x);
            if (std::isfinite(direct) && std::isfinite(fast) && direct != fast)
                std::abort();
        }
    }
    return 0;
}
