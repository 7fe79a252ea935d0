#include "tools/assets/asset_steps.h"

// Placeholder until this step is written.
bool MakeFonts(const std::string&) { return true; }
