#include "government/issues_manager.h"

#include "base/debug_log.h"
#include "government/government_state.h"
#include "government/minister.h"
#include "network/neuron.h"

namespace {

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

SIM_Issue* SIM_IssuesManager::FindIssue(const Neuron* subject) const {
    for (const auto& issue : issues) {
        if (issue->subject == subject)
            return issue.get();
    }
    return nullptr;
}
