#include "interface/screens/main_screen/control_panel.h"

#include "base/translation.h"
#include "base/turn.h"
#include "interface/game_frame.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/screens.h"
#include "interface/windows/game_windows.h"
#include "platform/render_device.h"

namespace {

struct PanelEntry {
    const char* id;
    const char* pictogram;
    const char* label;
    const char* tooltip;
    void (*action)();
};

// The order of the panel, left to right.
const PanelEntry kEntries[] = {
    {"NextTurnButton", "next", "PANEL_NEXTTURN", "TOOLTIP_NextTurn", [] { NextTurnFromScreen(); }},
    {"DilemmaButton", "dilemma", "PANEL_DILEMMA", "TOOLTIP_DILEMMA", [] { OpenFirstDilemma(); }},
    {"ManifestoButton", "manifesto", "PANEL_MANIFESTO", "TOOLTIP_Manifesto",
     [] { OpenManifesto(); }},
    {"PollsButton", "polls", "PANEL_POLLS", "TOOLTIP_Polls", [] { OpenPolls(); }},
    {"PolicyPickerButton", "policies", "PANEL_POLICIES", "TOOLTIP_NewPolicy",
     [] { OpenPolicyPicker(); }},
    {"FinanceButton", "finance", "PANEL_FINANCE", "TOOLTIP_Money", [] { OpenFinance(); }},
    {"OptionsButton", "options", "PANEL_OPTIONS", "TOOLTIP_Options",
     [] { SetGameMode(GameMode::Options); }},
    {"AchievementsButton", "achievements", "PANEL_ACHIEVEMENTS", "TOOLTIP_Achievements",
     [] { OpenAchievements(); }},
    {"PartiesButton", "parties", "PANEL_PARTIES", "TOOLTIP_PARTY", [] { OpenParties(); }},
    {"CabinetButton", "cabinet", "PANEL_CABINET", "TOOLTIP_CABINET", [] { OpenCabinet(); }},
    {"ReportButton", "reports", "PANEL_REPORTS", "TOOLTIP_REPORT", [] { OpenReports(); }},
    {"ThreatButton", "intel", "PANEL_INTEL", "TOOLTIP_INTEL", [] { OpenIntelligence(); }},
};

constexpr float kMargin = 6, kButtonWidth = 58, kNextTurnWidth = 84, kGap = 2;
constexpr char kLabelFont[] = "tahoma12.dds";
constexpr int kLabelSize = 12;

} // namespace

GUI_PanelButton::GUI_PanelButton(const std::string& pictogram, const std::string& labelKey)
    : picture("panel_" + pictogram + ".dds"), hoverPicture("panel_" + pictogram + "_h.dds"),
      label(Translate(labelKey)) {}

void GUI_PanelButton::Draw() {
    if (!visible)
        return;
    using ScreenLayout::S;
    const float side = S(40);
    const float cx = (left + right) / 2.0f;
    const unsigned tint = enabled ? 0xFFFFFFFF : 0x70FFFFFF;
    GuiDraw::PictureOr(hovered ? hoverPicture : picture, cx - side / 2, top, cx + side / 2,
                       top + side, 0xE0243448, 0xFF54688A, tint);
    GuiDraw::Text(kLabelFont, kLabelSize, label, cx, top + side + S(1),
                  enabled ? (hovered ? 0xFFFFF0D0 : 0xFFC8D2DE) : 0xFF6A7684, true);
    GUI_ButtonBase::Draw();
}

GUI_ControlPanel::GUI_ControlPanel() {
    closeOnEscape = false;
    for (const PanelEntry& entry : kEntries) {
        auto* button = new GUI_PanelButton(entry.pictogram, entry.label);
        button->identifier = entry.id;
        button->SetTooltip(entry.tooltip);
        // Windows open after the frame, so the click that opens one never lands in it.
        button->deferred = true;
        void (*action)() = entry.action;
        button->SetCallback([action](void*) { action(); });
        AddChild(button);
        order.push_back(button);
    }
}

void GUI_ControlPanel::Layout(float screenWidth, float screenHeight) {
    using ScreenLayout::S;
    SetRect(0, screenHeight - S(kHeight), screenWidth, screenHeight);
    float x = S(kMargin);
    const float buttonTop = top + S(5), buttonBottom = bottom - S(2);
    for (GUI_PanelButton* button : order) {
        const float w = S(button == order.front() ? kNextTurnWidth : kButtonWidth);
        button->SetRect(x, buttonTop, x + w, buttonBottom);
        x += w + S(kGap);
    }
    stripLeft = x + S(10);
    stripTop = top + S(3);
    stripRight = screenWidth - S(kMargin);
    stripBottom = bottom - S(3);
}

GUI_PanelButton* GUI_ControlPanel::Find(const std::string& identifier) const {
    for (GUI_PanelButton* button : order) {
        if (button->identifier == identifier)
            return button;
    }
    return nullptr;
}

void GUI_ControlPanel::UpdateContent() {
    if (GUI_PanelButton* dilemma = Find("DilemmaButton"))
        dilemma->enabled = FirstDilemmaOnDesk() != nullptr;
    if (GUI_PanelButton* next = Find("NextTurnButton"))
        next->enabled = !IsGameOver();
}

void GUI_ControlPanel::DrawBackground() {
    using ScreenLayout::S;
    // The picture's upper rows are a shadow cast over the icons above the panel.
    GuiDraw::PictureOr("controlpanel.dds", left, top - S(10), right, bottom, 0xF0141E2C,
                       0xFF3A5068);
}
