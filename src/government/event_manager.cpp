#include "government/event_manager.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/setup_table.h"
#include "government/cabinet.h"
#include "government/event.h"
#include "government/government_state.h"

#include <algorithm>

namespace {

void Erase(std::vector<SIM_Event*>& list, SIM_Event* event) {
    list.erase(std::remove(list.begin(), list.end(), event), list.end());
}

void DestroyAll(std::vector<SIM_Event*>& list) {
    // Each event takes itself off the lists as it goes, so walk a copy.
    std::vector<SIM_Event*> doomed;
    doomed.swap(list);
    for (SIM_Event* event : doomed)
        delete event;
}

} // namespace

SIM_EventManager& GetEventManager() {
    return Government().events;
}

SIM_EventManager::~SIM_EventManager() {
    DestroyAll(events);
    DestroyAll(announcements);
}

void SIM_EventManager::Release() {
    Log("EventManager Release Start");
    DestroyAll(events);
    DestroyAll(announcements);
}

void SIM_EventManager::LoadFolder(const std::string& pattern, const std::string& folder) {
    CFileList files;
    files.Scan(pattern);
    for (const std::string& name : files.Names()) {
        SIM_Event* event = new SIM_Event();
        event->Load(folder + name);
        AddEvent(event);
    }
}

void SIM_EventManager::LoadEvents() {
    LoadFolder(kEventPattern, kEventFolder);
    const std::string& userDir = GetUserDir();
    if (!userDir.empty()) {
        std::string modFolder = userDir + kModEventFolder;
        LoadFolder(modFolder + "*.txt", modFolder);
    }
    turnsSinceLastEvent = 0;
}

void SIM_EventManager::ProcessEvents() {
    if (SetupFloat("EVENTS_DISABLE") == 1.0f)
        return;
    ++turnsSinceLastEvent;
    if (turnsSinceLastEvent < kTurnsBetweenEvents)
        return;
    SIM_Event* ripest = nullptr;
    float best = 0.0f;
    for (SIM_Event* event : events) {
        float ripeness = event->GetValue();
        if (ripeness > best) {
            best = ripeness;
            ripest = event;
        }
    }
    if (ripest && best > kEventFireThreshold) {
        ripest->TriggerEvent();
        turnsSinceLastEvent = 0;
    }
}

SIM_Event* SIM_EventManager::FindEvent(const std::string& name) const {
    for (SIM_Event* event : events) {
        if (name == event->name)
            return event;
    }
    return nullptr;
}

void SIM_EventManager::TriggerEventByName(const std::string& name) {
    SIM_Event* event = FindEvent(name);
    if (!event) {
        std::string message = "Failed to trigger event: " + name.substr(0, 255);
        REPORT_ERROR(message.c_str());
        return;
    }
    event->TriggerEvent();
}

SIM_Event* SIM_EventManager::AnnounceResignation(const MinisterResignation& resignation) {
    SIM_Event* event = RestoreAnnouncement(resignation);
    event->TriggerEvent();
    return event;
}

SIM_Event* SIM_EventManager::RestoreAnnouncement(const MinisterResignation& resignation) {
    SIM_Event* event = new SIM_Event();
    event->SetGuiName(resignation.guiName);
    event->description = resignation.description;
    event->onImplement = resignation.onImplement;
    event->onView = resignation.onView;
    event->texture = resignation.picture;
    announcements.push_back(event);
    return event;
}

void SIM_EventManager::AddEvent(SIM_Event* event) {
    if (event)
        events.push_back(event);
}

void SIM_EventManager::ForgetEvent(SIM_Event* event) {
    Erase(events, event);
    Erase(announcements, event);
}

void LoadEvents() {
    GetEventManager().LoadEvents();
}

void ProcessEvents() {
    GetEventManager().ProcessEvents();
}

void TriggerEventByName(const std::string& name) {
    GetEventManager().TriggerEventByName(name);
}
