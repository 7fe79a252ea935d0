// Openers of the node windows. Until the windows themselves exist each request shows a note.
#include "interface/widgets/message_dialog.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"

namespace {
void Pending(const std::string& what) {
    if (GUI_WindowManager* windows = GameWindowManager())
        ShowMessageDialog(*windows, what, "This window is being built.");
}
} // namespace

bool OpenNodeDetails(const std::string& neuronName) {
    Pending(neuronName);
    return true;
}
void OpenPolicyDetails(const std::string& policyName, bool) {
    Pending(policyName);
}
void OpenSimValueDetails(const std::string& valueName) {
    Pending(valueName);
}
void OpenSituationDetails(const std::string& situationName) {
    Pending(situationName);
}
void OpenVoterGroupDetails(const std::string& groupName) {
    Pending(groupName);
}
void OpenPolicyPicker() {
    Pending(WindowKind::PolicyPicker);
}
void OpenCapitalShortfall(const std::string& what, int) {
    Pending(what);
}
void OpenEncyclopedia(const std::string& neuronName) {
    Pending(neuronName);
}
