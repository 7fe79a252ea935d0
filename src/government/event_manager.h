#pragma once
// SIM_EventManager: the events of a game. It loads one event per file (standard, then mods),
// fires at most one ripe event per turn with a pause of at least three turns between firings,
// and fires events by name for the finances and the scripts.

#include "base/game_subsystem.h"

#include <cstdint>
#include <string>
#include <vector>

class SIM_Event;
struct MinisterResignation;

inline constexpr const char kEventFolder[] = "data/simulation/events/";
inline constexpr const char kEventPattern[] = "data/simulation/events/*.txt";
// Below the user folder.
inline constexpr const char kModEventFolder[] = "/mods/data/simulation/events/";

// An event fires by itself only above this ripeness, and only this many turns after the last.
constexpr float kEventFireThreshold = 0.7f;
constexpr int32_t kTurnsBetweenEvents = 3;

class SIM_EventManager : public GameSubsystem {
public:
    ~SIM_EventManager() override;
    // Logs "EventManager Release Start" and destroys every event.
    void Release() override;

    // One event per file, standard files first, then the user's mod files; resets the pause.
    void LoadEvents();
    // The turn step (from turn 3 on): nothing at all while "EVENTS_DISABLE" is 1, otherwise the
    // ripest event above the threshold fires once the pause is over.
    void ProcessEvents();
    // Fires the first event of that exact name; "Failed to trigger event: %s" when none has it.
    // The pause between automatic firings is left alone.
    void TriggerEventByName(const std::string& name);
    // The first event of that exact name, or null (nothing reported).
    SIM_Event* FindEvent(const std::string& name) const;

    // Builds the event that announces a minister's resignation and fires it at once. It is kept
    // apart from the content events (never chosen by ripeness, never found by name) until the
    // next Release.
    SIM_Event* AnnounceResignation(const MinisterResignation& resignation);
    // The same event as a saved game holds it: made, not fired (the file brings back the desk).
    SIM_Event* RestoreAnnouncement(const MinisterResignation& resignation);

    // Takes ownership; appends to the list in load order.
    void AddEvent(SIM_Event* event);
    // Called by a dying event so the lists never hold a freed one.
    void ForgetEvent(SIM_Event* event);

    const std::vector<SIM_Event*>& Events() const { return events; }
    const std::vector<SIM_Event*>& Announcements() const { return announcements; }

    int32_t turnsSinceLastEvent = 0;

private:
    void LoadFolder(const std::string& pattern, const std::string& folder);

    std::vector<SIM_Event*> events;
    std::vector<SIM_Event*> announcements;
};

// The event manager of the game in play.
SIM_EventManager& GetEventManager();

// Convenience forms of the steps above.
void LoadEvents();
void ProcessEvents();
void TriggerEventByName(const std::string& name);
