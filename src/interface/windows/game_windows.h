#pragma once
// Every window of the game screen opens through these, whoever asks for it: an icon, the control
// panel, a key, the issues on the desk, a row of another window, the core (an election, an
// attack, an award) or a content script. Windows are asked for by the names of what they show,
// never by pointers, so a request can never reach a node that has gone. A window already open
// comes to the front instead of opening twice.

#include <memory>
#include <string>
#include <vector>

class GUI_WindowBase;

// The kinds of game window, as tests and scripts find them.
namespace WindowKind {
// What one node is and why it is what it is.
inline constexpr char PolicyDetails[] = "PolicyDetails";
inline constexpr char SimValueDetails[] = "SimValueDetails";
inline constexpr char SituationDetails[] = "SituationDetails";
inline constexpr char VoterGroupDetails[] = "VoterGroupDetails";
inline constexpr char PolicyPicker[] = "PolicyPicker";
inline constexpr char CapitalShortfall[] = "CapitalShortfall";
inline constexpr char Encyclopedia[] = "Encyclopedia";
// What lands on the desk.
inline constexpr char Dilemma[] = "Dilemma";
inline constexpr char Event[] = "Event";
inline constexpr char Attack[] = "Attack";
inline constexpr char AchievementAward[] = "AchievementAward";
inline constexpr char GameOver[] = "GameOver";
inline constexpr char ElectionResults[] = "ElectionResults";
inline constexpr char PostElection[] = "PostElection";
inline constexpr char Manifesto[] = "Manifesto";
// The government's own books.
inline constexpr char Finance[] = "Finance";
inline constexpr char Polls[] = "Polls";
inline constexpr char Cabinet[] = "Cabinet";
inline constexpr char AppointMinister[] = "AppointMinister";
inline constexpr char Parties[] = "Parties";
inline constexpr char Achievements[] = "Achievements";
inline constexpr char Reports[] = "Reports";
inline constexpr char Intelligence[] = "Intelligence";
// The game screen's own.
inline constexpr char StartDialog[] = "StartDialog";
inline constexpr char DebugObjectViewer[] = "DebugObjectViewer";
} // namespace WindowKind

// The mission's briefing when a new game begins; Enter closes it.
void OpenStartDialog();
// The viewer of every node of one type code, for content authors.
void OpenDebugObjectViewer(int typeCode);

// A node's details window, chosen by what the node is (policy, value, situation, voter group).
// False, with a log line, when no node of that name has a window.
bool OpenNodeDetails(const std::string& neuronName);
// fromPicker: the policy is offered for introduction, and its slider starts at its default.
void OpenPolicyDetails(const std::string& policyName, bool fromPicker = false);
void OpenSimValueDetails(const std::string& valueName);
void OpenSituationDetails(const std::string& situationName);
void OpenVoterGroupDetails(const std::string& groupName);
// The policies not yet introduced, by group, with their costs; the lack-of-capital window instead
// when restricted powers are on and no capital is left.
void OpenPolicyPicker();
// The player wanted something that costs more capital than there is.
void OpenCapitalShortfall(const std::string& what, int cost);
// The encyclopedia page of a node, laid out as formatted text.
void OpenEncyclopedia(const std::string& neuronName);

// The issues on the desk (dilemmas, events, situations starting or ending, minister news,
// warnings) as a strip of icons in the given rectangle of the game screen, which owns it; it keeps
// itself up to date. Null while there is none to show.
std::unique_ptr<GUI_WindowBase> MakeIssuesStrip(float left, float top, float right, float bottom);

void OpenDilemma(const std::string& dilemmaName);
// Opening an event's window runs its viewing script.
void OpenEvent(const std::string& eventName);
void OpenAttack(const std::string& attackName);
void OpenAchievementAward(const std::string& achievementKey);
// The achievements awarded since this game was started or loaded, in the order they came, for
// the summary at the end.
const std::vector<std::string>& AchievementsThisGame();
void ForgetAchievementsThisGame();
// Once: a second request while the window is open is ignored.
void OpenGameOver(const std::string& title, const std::string& text);
// The count of the election just held, then what it meant.
void OpenElectionResults();
void OpenManifesto();

void OpenFinance();
void OpenPolls();
void OpenCabinet();
void OpenAppointMinister(const std::string& portfolio);
void OpenParties();
void OpenAchievements();
void OpenReports();
// The quarterly report the turn ends with: the reports window, unless an election's count or
// results are showing.
void OpenQuarterlyReportWindow();
void OpenIntelligence();
