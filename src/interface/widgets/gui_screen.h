#pragma once
// BaseGUIScreen: what every whole screen (menu, options, new game, load, save, processing, the
// game screen) offers the frame. The frame activates a screen once when it becomes current, then
// every frame updates and draws it and hands it the frame's clicks and keys.

#include <string>

class GUI_ButtonBase;
class JsonWriter;

class BaseGUIScreen {
public:
    virtual ~BaseGUIScreen() = default;
    virtual void Draw() {}
    // True when the screen (or one of its windows) took the click.
    virtual bool OnLeftClick(float /*x*/, float /*y*/) { return false; }
    virtual void OnKey(int /*keyCode*/) {}
    virtual void Activate() {}
    // The game picture changed width (the window was resized or switched to or from full
    // screen): everything is placed again for the new width, keeping what the screen holds (its
    // windows, their contents, what the player chose or typed).
    virtual void Relayout(float /*oldWidth*/) {}
    // Per-frame work before drawing: hover, dragging, animations.
    virtual void Update() {}
    // Text the player typed this frame, for screens with a text field.
    virtual void OnText(const std::string& /*text*/) {}
    virtual bool OnRightClick(float /*x*/, float /*y*/) { return false; }
    // What the screen shows, written into the JSON object the caller has opened (--ui-dump).
    virtual void Describe(JsonWriter& /*json*/) const {}
    // The visible button with this identifier, topmost first; null when none shows. Replayed
    // input presses buttons by name through it.
    virtual const GUI_ButtonBase* FindButton(const std::string& /*identifier*/) const {
        return nullptr;
    }
};
