#include "interface/windows/start_dialog.h"

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/game_windows.h"
#include "platform/render_device.h"
#include "population/party.h"

namespace {
constexpr float kWidth = 600, kHeight = 440;
constexpr float kFlagWidth = 96, kFlagHeight = 60;
} // namespace

GUI_StartDialog::GUI_StartDialog()
    : GUI_GameWindow(WindowKind::StartDialog, "START_TITLE", kWidth, kHeight) {
    const CMission& mission = GetMission();
    missionName = mission.name;
    briefing = mission.briefing.empty() ? Translate("START_NO_BRIEFING") : mission.briefing;
    flag = mission.flag;
    const SIM_Party* player = GetPlayersParty();
    const SIM_Party* opposition = GetOpposition();
    if (player && opposition) {
        parties = Translate("START_PARTIES");
        ReplaceAll(parties, "<PLAYER>", player->partyName);
        ReplaceAll(parties, "<OPPOSITION>", opposition->partyName);
    }
}

void GUI_StartDialog::Build() {
    auto* begin = new GUI_ButtonText("START_BEGIN");
    begin->identifier = "StartDialogButton";
    begin->deferred = true;
    begin->SetCallback([this](void*) { Close(); });
    const float centre = (left + right) / 2.0f;
    begin->SetRect(centre - S(110), bottom - S(58), centre + S(110), bottom - S(16));
    AddChild(begin);
}

void GUI_StartDialog::Draw() {
    if (!visible)
        return;
    TextEngine& text = GetTextEngine();
    text.Flush();
    GUI_GameWindow::Draw();
    const float l = static_cast<float>(ContentLeft()) + S(10);
    float y = static_cast<float>(ContentTop()) + S(8);
    RenderDevice& device = GetRenderDevice();
    const TextureId picture = flag.empty() ? kNoTexture : device.FindTexture(flag);
    float textLeft = l;
    if (picture != kNoTexture) {
        text.Flush();
        device.DrawPicture(picture, l, y, l + S(kFlagWidth), y + S(kFlagHeight));
        device.OutlineRect(l, y, l + S(kFlagWidth), y + S(kFlagHeight), 0x60FFFFFF);
        textLeft = l + S(kFlagWidth) + S(14);
    }
    GuiDraw::Text(ScreenLayout::kTitleFont, ScreenLayout::kTitleSize, missionName, textLeft, y,
                  ScreenLayout::kTextColour);
    GuiDraw::Text(ScreenLayout::kTextFont, ScreenLayout::kTextSize, parties, textLeft, y + S(38),
                  ScreenLayout::kDimTextColour);
    y += S(kFlagHeight) + S(16);
    text.SetFont(ScreenLayout::kTextFont, ScreenLayout::kTextSize);
    text.DrawWrapped(briefing, l, y, ContentWidth() - static_cast<int>(S(20)),
                     ScreenLayout::kTextColour);
}

void GUI_StartDialog::DescribeMore(JsonWriter& json) const {
    json.Field("mission", missionName);
    json.Field("parties", parties);
    json.Field("briefing", briefing);
}
