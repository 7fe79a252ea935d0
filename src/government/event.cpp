#include "government/event.h"

#include "base/debug_log.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/translation.h"
#include "government/event_manager.h"
#include "government/issues_manager.h"
#include "government/script_runner.h"

SIM_Event::SIM_Event() {
    typeCode = NeuronType::Event;
    active = true;
}

SIM_Event::~SIM_Event() {
    GetEventManager().ForgetEvent(this);
}

bool SIM_Event::PrerequisitesMet() const {
    const CMission& mission = GetMission();
    for (const std::string& module : prereqs) {
        if (!mission.HasModule(module))
            return false;
    }
    return true;
}

float SIM_Event::Process() {
    if (!PrerequisitesMet())
        return value;
    return Neuron::Process();
}

void SIM_Event::Load(const std::string& file) {
    ContentPlace place(file, 0);
    CIniSection config;
    config.Load("config", file);
    SetName(config.GetString("Name"));
    SetGuiName(config.GetString("GUIName"));
    description = config.GetString("Description");
    texture = config.GetString("Texture");
    onImplement = config.GetString("OnImplement");
    onView = config.GetString("OnView");

    CIniSection influences;
    influences.Load("influences", file);
    for (const CIniSection::Entry& entry : influences.Entries())
        AddInfluence(entry.value);

    // Module names stand alone on their lines, which the reader keeps as keys.
    CIniSection modules;
    modules.Load("prereqs", file);
    for (const CIniSection::Entry& entry : modules.Entries())
        prereqs.push_back(entry.key);
}

void SIM_Event::TriggerEvent() {
    LogF("Event fires: %s", name);
    RunScript(onImplement);
    if (SIM_Issue* issue = GetIssuesManager().AddIssue(this, kIssueKindEvent)) {
        issue->title = guiName;
        issue->text = Translate(description);
    }
    triggered = true;
}

void SIM_Event::View() {
    RunScript(onView);
}
