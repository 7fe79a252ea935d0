#include "government/issues_manager.h"

#include "base/debug_log.h"
#include "government/government_state.h"
#include "government/minister.h"
#include "network/neuron.h"

#include <algorithm>

namespace {

// The manager that hears of destroyed nodes: the program's one, while it exists.
SIM_IssuesManager* g_listening = nullptr;

void ForgetGoneSubject(Neuron* gone) {
    if (g_listening)
        g_listening->ForgetSubject(gone);
}

bool ShowsSubjectPicture(int kind) {
    return kind == kIssueKindSituationBegins || kind == kIssueKindSituationEnds ||
           kind == kIssueKindMinisterNews || kind == kIssueKindMinisterWarning;
}

std::string IconFor(Neuron* subject, int kind, const std::string& subjectPicture) {
    if (kind == kIssueKindEvent)
        return kEventIssueIcon;
    if (!ShowsSubjectPicture(kind))
        return kDilemmaIssueIcon;
    if (subjectPicture.empty() && subject->typeCode == NeuronType::Minister)
        return static_cast<SIM_Minister*>(subject)->portrait;
    return subjectPicture;
}

} // namespace

SIM_IssuesManager& GetIssuesManager() {
    return Government().issues;
}

SIM_IssuesManager::SIM_IssuesManager() {
    if (!g_listening) {
        g_listening = this;
        AddNeuronGoneListener(&ForgetGoneSubject);
    }
}

SIM_IssuesManager::~SIM_IssuesManager() {
    if (g_listening == this) {
        g_listening = nullptr;
        RemoveNeuronGoneListener(&ForgetGoneSubject);
    }
}

void SIM_IssuesManager::Release() {
    Log("SIM_IssuesManager::Release Start");
    ClearIssues();
    Log("SIM_IssuesManager::Release End");
}

SIM_Issue* SIM_IssuesManager::AddIssue(Neuron* subject, int kind,
                                       const std::string& subjectPicture) {
    ASSERT(subject != nullptr);
    if (!subject)
        return nullptr;
    auto issue = std::make_unique<SIM_Issue>();
    issue->subject = subject;
    issue->kind = kind;
    issue->icon = IconFor(subject, kind, subjectPicture);
    issues.push_back(std::move(issue));
    return issues.back().get();
}

void SIM_IssuesManager::RemoveIssue(const Neuron* subject) {
    for (auto it = issues.begin(); it != issues.end(); ++it) {
        if ((*it)->subject == subject) {
            issues.erase(it);
            return;
        }
    }
    REPORT_ERROR("Failed to remove issue");
}

void SIM_IssuesManager::ClearIssues() {
    issues.clear();
}

void SIM_IssuesManager::ForgetSubject(const Neuron* subject) {
    issues.erase(std::remove_if(issues.begin(), issues.end(),
                                [subject](const std::unique_ptr<SIM_Issue>& issue) {
                                    return issue->subject == subject;
                                }),
                 issues.end());
}

SIM_Issue* SIM_IssuesManager::FindIssue(const Neuron* subject) const {
    for (const auto& issue : issues) {
        if (issue->subject == subject)
            return issue.get();
    }
    return nullptr;
}
