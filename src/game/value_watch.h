#pragma once
// A look over the whole game for values that went wrong: any node whose value is not a number or
// lies outside its own limits, and any figure of the budget that is not a number. Long runs of
// bots use it to catch content whose arithmetic breaks only after many turns.

#include <string>
#include <vector>

// One line per faulty value, "NAME is not a number" or "NAME is VALUE, outside MIN … MAX";
// empty when all is well. Each name is listed once however often it appears in the registry.
std::vector<std::string> FaultyValues();
