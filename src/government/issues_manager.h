#pragma once
// SIM_IssuesManager: the list of things that want the player's attention this turn — dilemmas on
// offer, events that fired, situations that began or ended, news and warnings from ministers.
// The main screen shows it as a strip of icons; the turn pipeline empties it as each turn begins.

#include "base/game_subsystem.h"

#include <memory>
#include <string>
#include <vector>

class Neuron;

// What an issue is about; the kind also fixes its icon.
constexpr int kIssueKindDilemma = 0;
constexpr int kIssueKindSituationBegins = 1;
constexpr int kIssueKindSituationEnds = 2;
constexpr int kIssueKindMinisterNews = 3;
constexpr int kIssueKindEvent = 4;
constexpr int kIssueKindMinisterWarning = 5;

inline constexpr const char kDilemmaIssueIcon[] = "gui_dilemma_icon.dds";
inline constexpr const char kEventIssueIcon[] = "gui_event_icon.dds";

struct SIM_Issue {
    // The dilemma, event, situation or minister the issue is about; never null.
    Neuron* subject = nullptr;
    int kind = 0;
    std::string icon;
    // Set by whoever raised the issue, after AddIssue.
    std::string text;
    std::string title;
};

class SIM_IssuesManager : public GameSubsystem {
public:
    // Issues about a node destroyed during play (a minister fired the turn he complained) go with
    // it, so nothing reads a subject that is no longer there.
    SIM_IssuesManager();
    ~SIM_IssuesManager() override;

    // Logs its start and end around ClearIssues.
    void Release() override;

    // Appends a new issue and returns it so the caller can set its texts. Situations (kinds 1
    // and 2) and ministers (kinds 3 and 5) show their own picture: pass the situation's icon or
    // the minister's portrait as subjectPicture; for a minister left without one the portrait is
    // read from the subject. A null subject is an assertion failure and gives null.
    SIM_Issue* AddIssue(Neuron* subject, int kind, const std::string& subjectPicture = "");
    // Drops the first issue about this subject; "Failed to remove issue" when there is none.
    void RemoveIssue(const Neuron* subject);
    void ClearIssues();
    // Drops every issue about this subject, quietly.
    void ForgetSubject(const Neuron* subject);

    // The first issue about this subject, or null.
    SIM_Issue* FindIssue(const Neuron* subject) const;
    size_t Count() const { return issues.size(); }
    SIM_Issue* At(size_t index) const {
        return index < issues.size() ? issues[index].get() : nullptr;
    }
    const std::vector<std::unique_ptr<SIM_Issue>>& Issues() const { return issues; }

private:
    std::vector<std::unique_ptr<SIM_Issue>> issues;
};

// The issues list of the game in play.
SIM_IssuesManager& GetIssuesManager();
