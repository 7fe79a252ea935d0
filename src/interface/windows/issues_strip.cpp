// The strip of issues on the game screen: one icon per thing on the desk, dilemmas first and the
// rest in the order they arose, each opening its window. It compares itself with the issues list
// every update and rebuilds when the list has changed, so it needs nobody to tell it.

#include "base/json_writer.h"
#include "base/translation.h"
#include "government/issues_manager.h"
#include "government/minister.h"
#include "interface/screens/screens.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/desk_parts.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"

#include <algorithm>
#include <cmath>

namespace {

using ScreenLayout::S;

// Design sizes: a horizontal strip gives each issue a cell with its title under the icon, a
// vertical one a row with the title beside it.
// Narrow enough that the band beside the control panel holds four issues with their titles.
constexpr float kCellWidth = 64;
// A crowded band narrows its cells down to this, the icons just inside.
constexpr float kNarrowestCell = 34;
constexpr float kRowHeight = 46;
constexpr float kIconSize = 40;
constexpr float kTitleGap = 4;
constexpr int kTitleSize = 12;
constexpr size_t kTooltipTextLength = 170;

// One colour per kind, drawn as the frame's edge: what needs an answer stands out.
unsigned KindColour(int kind) {
    switch (kind) {
    case kIssueKindDilemma:
        return 0xFFE0B040;
    case kIssueKindSituationBegins:
        return 0xFFD05A48;
    case kIssueKindSituationEnds:
        return 0xFF5CB86A;
    case kIssueKindMinisterNews:
    case kIssueKindMinisterWarning:
        return 0xFFA08CD0;
    case kIssueKindEvent:
        return 0xFF5A9CE0;
    default:
        return 0xFF8FA3B8;
    }
}

std::string KindKey(int kind) {
    if (kind < kIssueKindDilemma || kind > kIssueKindMinisterWarning)
        kind = kIssueKindDilemma;
    return std::to_string(kind);
}

std::string SubjectName(Neuron* subject) {
    if (subject->typeCode == NeuronType::Minister)
        return static_cast<SIM_Minister*>(subject)->fullName;
    return subject->name[0] ? subject->name : subject->guiName;
}

// The first words of a long text, cut at a blank.
std::string Opening(const std::string& text) {
    if (text.size() <= kTooltipTextLength)
        return text;
    size_t cut = text.rfind(' ', kTooltipTextLength);
    if (cut == std::string::npos)
        cut = kTooltipTextLength;
    return text.substr(0, cut) + "...";
}

std::string IssueTooltip(const DeskIssue& issue) {
    std::string tip = Translate("ISSUE_KIND_" + KindKey(issue.kind)) + ": " + issue.title + ". ";
    // A situation that has ended is news enough by its name.
    if (issue.kind != kIssueKindSituationEnds && !issue.text.empty() && issue.text != issue.title)
        tip += Opening(issue.text) + " ";
    return tip + Translate("ISSUE_OPENS_" + KindKey(issue.kind));
}

// The title cut to a width, with an ellipsis when it had to be cut.
std::string FitTitle(const std::string& title, float widthPixels) {
    TextEngine& engine = GetTextEngine();
    if (!engine.IsInitialised())
        return title;
    engine.SetFont(ScreenLayout::kTextFont, kTitleSize);
    if (engine.TextWidth(title) <= widthPixels)
        return title;
    std::string cut = title;
    while (!cut.empty() && engine.TextWidth(cut + "...") > widthPixels)
        cut.pop_back();
    return cut + "...";
}

bool SameIssues(const std::vector<DeskIssue>& a, const std::vector<DeskIssue>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const DeskIssue& x, const DeskIssue& y) {
                          return x.kind == y.kind && x.subject == y.subject && x.title == y.title &&
                                 x.icon == y.icon;
                      });
}

} // namespace

std::vector<DeskIssue> CurrentDeskIssues() {
    std::vector<DeskIssue> issues;
    const SIM_IssuesManager& manager = GetIssuesManager();
    for (size_t i = 0; i < manager.Count(); ++i) {
        const SIM_Issue* issue = manager.At(i);
        if (!issue || !issue->subject)
            continue;
        DeskIssue shown;
        shown.kind = issue->kind;
        shown.subject = SubjectName(issue->subject);
        // Titles are text keys for most issues and finished words for a few; words translate to
        // themselves.
        shown.title = Translate(issue->title.empty() ? issue->text : issue->title);
        shown.text = Translate(issue->text);
        shown.icon = issue->icon;
        issues.push_back(shown);
    }
    // What waits for a decision comes first, so that a crowded desk never hides it.
    std::stable_partition(issues.begin(), issues.end(),
                          [](const DeskIssue& issue) { return issue.kind == kIssueKindDilemma; });
    return issues;
}

void OpenDeskIssue(const DeskIssue& issue) {
    switch (issue.kind) {
    case kIssueKindDilemma:
        OpenDilemma(issue.subject);
        break;
    case kIssueKindEvent:
        OpenEvent(issue.subject);
        break;
    case kIssueKindSituationBegins:
    case kIssueKindSituationEnds:
        OpenSituationDetails(issue.subject);
        break;
    case kIssueKindMinisterNews:
    case kIssueKindMinisterWarning:
        OpenCabinet();
        break;
    default:
        break;
    }
}

GUI_IssueIcon::GUI_IssueIcon(DeskIssue shownIssue) : issue(std::move(shownIssue)) {
    static const char* const kIds[] = {"IssueDilemma",  "IssueSituation", "IssueSituation",
                                       "IssueMinister", "IssueEvent",     "IssueMinister"};
    if (issue.kind >= 0) {
        identifier = issue.kind <= kIssueKindMinisterWarning ? kIds[issue.kind] : "IssueOther";
        SetTooltipText(IssueTooltip(issue));
        const DeskIssue opened = issue;
        // After the frame: the window it opens may change the list this icon belongs to.
        deferred = true;
        SetCallback([opened](void*) { OpenDeskIssue(opened); });
    } else {
        identifier = "IssueMore";
    }
}

void GUI_IssueIcon::Draw() {
    if (!visible)
        return;
    RenderDevice& device = GetRenderDevice();
    const float size = iconSize > 0 ? iconSize : static_cast<float>(std::min(width, height));
    const float iconLeft = titleBeside ? left + S(3) : (left + right - size) / 2;
    const float iconTop = titleBeside || !showTitle ? (top + bottom - size) / 2 : top + S(2);
    const unsigned edge = KindColour(issue.kind);
    if (hovered)
        device.FillRect(static_cast<float>(left), static_cast<float>(top),
                        static_cast<float>(right), static_cast<float>(bottom), 0x40FFFFFF);
    if (issue.kind < 0) {
        device.FillRect(iconLeft, iconTop, iconLeft + size, iconTop + size, 0xC0222C38);
        GuiDraw::Text(ScreenLayout::kLabelFont, ScreenLayout::kTextSize, issue.title,
                      iconLeft + size / 2, iconTop + size / 2 - S(9), ScreenLayout::kTextColour,
                      true);
    } else if (!GuiDraw::PictureOr(issue.icon, iconLeft, iconTop, iconLeft + size, iconTop + size,
                                   0xFF222C38, 0)) {
        // Without its picture an issue still says what kind it is.
        GuiDraw::Text(ScreenLayout::kLabelFont, ScreenLayout::kTextSize,
                      Translate("ISSUE_KIND_" + KindKey(issue.kind)).substr(0, 1),
                      iconLeft + size / 2, iconTop + size / 2 - S(9), edge, true);
    }
    device.OutlineRect(iconLeft - 1, iconTop - 1, iconLeft + size + 1, iconTop + size + 1, edge);
    if (issue.kind < 0 || !showTitle)
        return;
    if (titleBeside) {
        const float x = iconLeft + size + S(kTitleGap + 2);
        GuiDraw::Text(ScreenLayout::kTextFont, kTitleSize, FitTitle(issue.title, right - x - S(2)),
                      x, (top + bottom) / 2.0f - S(8), ScreenLayout::kTextColour);
    } else {
        GuiDraw::Text(ScreenLayout::kTextFont, kTitleSize, FitTitle(issue.title, width - S(4)),
                      (left + right) / 2.0f, iconTop + size + S(kTitleGap),
                      ScreenLayout::kTextColour, true);
    }
}

void GUI_IssueIcon::DescribeMore(JsonWriter& json) const {
    json.Field("issueKind", issue.kind);
    json.Field("subject", issue.subject);
}

GUI_IssuesStrip::GUI_IssuesStrip(float l, float t, float r, float b) {
    SetRect(l, t, r, b);
    name = "IssuesStrip";
    // The strip lies on the screen itself: its empty space is the screen's.
    clickThrough = true;
    takesMouse = false;
    closeOnEscape = false;
    Sync();
}

void GUI_IssuesStrip::Place(float l, float t, float r, float b) {
    if (l == left && t == top && r == right && b == bottom)
        return;
    SetRect(l, t, r, b);
    Rebuild();
}

bool GUI_IssuesStrip::Horizontal() const {
    return height < S(2 * kRowHeight);
}

int GUI_IssuesStrip::Capacity() const {
    const float pitch = Horizontal() ? S(kNarrowestCell) : S(kRowHeight);
    const float length = static_cast<float>(Horizontal() ? width : height);
    return std::max(1, static_cast<int>(length / pitch));
}

float GUI_IssuesStrip::Pitch(int count) const {
    if (!Horizontal())
        return S(kRowHeight);
    // Whole pixels, so that a row of cells does not drift across the band.
    const float share =
        std::floor(static_cast<float>(width) / static_cast<float>(std::max(1, count)));
    return std::clamp(share, S(kNarrowestCell), S(kCellWidth));
}

bool GUI_IssuesStrip::Sync() {
    std::vector<DeskIssue> now = CurrentDeskIssues();
    if (SameIssues(now, shown))
        return false;
    shown = std::move(now);
    Rebuild();
    return true;
}

void GUI_IssuesStrip::Rebuild() {
    buttons.clear();
    const int capacity = Capacity();
    const int count = static_cast<int>(shown.size());
    // When they do not all fit, the last place says how many more there are and names them.
    const int visibleIssues = count > capacity ? capacity - 1 : count;
    const bool horizontal = Horizontal();
    const float pitch = Pitch(std::min(count, capacity));
    // Titles need the full cell; narrower cells give their height to the icon instead.
    const bool titles = !horizontal || pitch >= S(kCellWidth);
    const float iconSize =
        std::min(S(kIconSize), !horizontal ? pitch - S(6)
                               : titles    ? height - S(kTitleGap + kTitleSize + 6)
                                           : std::min(pitch, static_cast<float>(height)) - S(6));
    auto place = [&](GUI_IssueIcon* icon, int slot) {
        const float offset = pitch * static_cast<float>(slot);
        if (horizontal)
            icon->SetRect(left + offset, static_cast<float>(top), left + offset + pitch,
                          static_cast<float>(bottom));
        else
            icon->SetRect(static_cast<float>(left), top + offset, static_cast<float>(right),
                          top + offset + pitch);
        icon->titleBeside = !horizontal;
        icon->showTitle = titles;
        icon->iconSize = iconSize;
        AddChild(icon);
    };
    for (int i = 0; i < visibleIssues; ++i)
        place(new GUI_IssueIcon(shown[static_cast<size_t>(i)]), i);
    if (visibleIssues < count) {
        DeskIssue more;
        more.kind = -1;
        more.title = "+" + std::to_string(count - visibleIssues);
        auto* marker = new GUI_IssueIcon(more);
        std::string names;
        for (int i = visibleIssues; i < count; ++i)
            names += (names.empty() ? "" : "; ") + shown[static_cast<size_t>(i)].title;
        marker->SetTooltipText(Translate("ISSUE_MORE") + " " + names);
        place(marker, visibleIssues);
    }
}

void GUI_IssuesStrip::DrawBackground() {
    if (shown.empty())
        return;
    const int slots = std::min(static_cast<int>(shown.size()), Capacity());
    const float used = Pitch(slots) * static_cast<float>(slots);
    const float r = Horizontal() ? left + used : static_cast<float>(right);
    const float b = Horizontal() ? static_cast<float>(bottom) : top + used;
    GetRenderDevice().FillRect(static_cast<float>(left), static_cast<float>(top), r, b, 0x90101820);
}

std::unique_ptr<GUI_WindowBase> MakeIssuesStrip(float left, float top, float right, float bottom) {
    return std::make_unique<GUI_IssuesStrip>(left, top, right, bottom);
}
