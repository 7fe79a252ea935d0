#pragma once
// The whole state of a game as one JSON document, for the headless runner and for tests that
// compare a played game with an expected one.

#include <string>

std::string GameStateJson();
