#include "game/happenings_json.h"

#include "base/json_writer.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/issues_manager.h"
#include "government/report_manager.h"
#include "government/situation.h"
#include "government/situation_manager.h"
#include "population/attack.h"
#include "population/pressure_group.h"
#include "saveload/save_archive.h"
#include "saveload/save_sections.h"

namespace {

void WriteEvents(JsonWriter& json) {
    json.Key("events");
    json.BeginArray();
    for (SIM_Event* event : GetEventManager().Events()) {
        TriggeredRecord record = CaptureEvent(*event);
        JsonFields fields;
        Visit(fields, record);
        json.BeginObject();
        fields.WriteTo(json, {"name", "value", "triggered"});
        json.EndObject();
    }
    json.EndArray();
}

void WriteDilemmas(JsonWriter& json) {
    json.Key("dilemmas");
    json.BeginArray();
    for (SIM_Dilemma* dilemma : GetDilemmaManager().Dilemmas()) {
        json.BeginObject();
        json.Field("name", std::string(dilemma->name));
        json.Field("value", dilemma->value);
        json.Field("onOffer", GetIssuesManager().FindIssue(dilemma) != nullptr);
        json.Key("options");
        json.BeginArray();
        for (const DilemmaOption& option : dilemma->options) {
            json.BeginObject();
            json.Field("name", option.name);
            json.Field("description", option.description);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteSituations(JsonWriter& json) {
    json.Key("situations");
    json.BeginArray();
    for (SIM_Situation* situation : GetSituationManager().Situations()) {
        json.BeginObject();
        json.Field("name", std::string(situation->name));
        json.Field("value", situation->value);
        json.Field("active", situation->active);
        json.Field("good", situation->isGood);
        json.EndObject();
    }
    json.EndArray();
}

void WriteIssues(JsonWriter& json) {
    static const char* const kKinds[] = {"dilemma",        "situation begins",
                                         "situation ends", "minister news",
                                         "event",          "minister warning"};
    json.Key("issues");
    json.BeginArray();
    SIM_IssuesManager& issues = GetIssuesManager();
    for (size_t i = 0; i < issues.Count(); ++i) {
        IssueRecord record = CaptureIssue(*issues.At(i));
        JsonFields fields;
        Visit(fields, record);
        const int kind = record.kind;
        fields.Extra("kind", [kind](JsonWriter& out) {
            out.Value(kind >= 0 && kind < 6 ? kKinds[kind] : "unknown");
        });
        json.BeginObject();
        fields.WriteTo(json, {"subject", "kind", "title", "text"});
        json.EndObject();
    }
    json.EndArray();
}

void WritePressureGroups(JsonWriter& json) {
    json.Key("pressureGroups");
    json.BeginArray();
    for (const SIM_PressureGroup* group : AllPressureGroups()) {
        json.BeginObject();
        json.Field("name", group->name);
        json.Field("members", group->MemberCount());
        json.Field("strength", group->strength);
        json.Field("active", group->active);
        json.Field("trend", static_cast<int>(group->trend));
        json.EndObject();
    }
    json.EndArray();
}

void WriteAttacks(JsonWriter& json) {
    json.Key("attacks");
    json.BeginArray();
    for (const SIM_AttackEvent* attack : AllAttacks()) {
        json.BeginObject();
        json.Field("name", attack->name);
        json.Field("usedBy", attack->usedBy ? attack->usedBy->name : std::string());
        json.Field("lastTrigger", static_cast<int>(attack->lastTrigger));
        json.EndObject();
    }
    json.EndArray();
    json.Key("lastAttack");
    if (const AttackOutcome* last = LastAttackOutcome()) {
        json.BeginObject();
        json.Field("name", last->name);
        json.Field("turn", static_cast<int>(last->turn));
        json.Field("succeeded", last->succeeded);
        json.Field("foiled", last->foiled);
        json.EndObject();
    } else {
        json.Null();
    }
}

void WriteReports(JsonWriter& json) {
    json.Key("reports");
    json.BeginArray();
    for (const SIM_Report& report : GetReportManager().Reports()) {
        json.BeginObject();
        json.Field("title", report.title);
        json.Field("text", report.body);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

void WriteHappeningsJson(JsonWriter& json) {
    WriteEvents(json);
    WriteDilemmas(json);
    WriteSituations(json);
    WriteIssues(json);
    WritePressureGroups(json);
    WriteAttacks(json);
    WriteReports(json);
}
