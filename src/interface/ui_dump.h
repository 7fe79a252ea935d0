#pragma once
// The screen described as JSON for unattended tests (--ui-dump N:FILE): the mode, the screen's
// own buttons, every open window with its kind, title, rectangle, buttons and content, and what a
// screen adds of its own (the game screen's icons and connectors). Tests read it instead of
// guessing from pixels.

#include <string>

class BaseGUIScreen;
class JsonWriter;

// The whole document for the current frame.
std::string DescribeScreenJson(int frameNumber, int mode, const std::string& modeName,
                               const BaseGUIScreen* screen);
// Writes the document to file; false (with the reason in error) when it cannot be written.
bool WriteUiDump(const std::string& file, const std::string& document, std::string& error);

// Helpers for the describing code of elements and windows.
namespace UiDump {
void Rect(JsonWriter& json, int left, int top, int right, int bottom);
} // namespace UiDump
