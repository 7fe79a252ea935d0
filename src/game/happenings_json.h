#pragma once
// The parts of the state document about what happens to the country: events, dilemmas on offer
// and their options, situations, the issues list, pressure groups, attacks and the reports.

class JsonWriter;

void WriteHappeningsJson(JsonWriter& json);
