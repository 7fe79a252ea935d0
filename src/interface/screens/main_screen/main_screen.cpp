#include "interface/screens/main_screen/main_screen.h"

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/options.h"
#include "base/translation.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/election_manager.h"
#include "government/issues_manager.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/situation.h"
#include "interface/game_frame.h"
#include "interface/guidance/play_guide.h"
#include "interface/screens/main_screen/control_panel.h"
#include "interface/screens/main_screen/people_strip.h"
#include "interface/screens/main_screen/policy_icon.h"
#include "interface/screens/main_screen/sim_val_icon.h"
#include "interface/screens/main_screen/situation_icon.h"
#include "interface/screens/main_screen/top_strip.h"
#include "interface/screens/save_game_screen.h"
#include "interface/screens/screens.h"
#include "interface/ui_dump.h"
#include "interface/widgets/glyph_cells.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "network/simulation.h"
#include "platform/input_state.h"
#include "platform/render_device.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

enum IconKind { kPolicyIcon, kSimValIcon, kSituationIcon, kVoterIcon };

constexpr float kIconSize = 34;
// The connector sheet's cell size: drawn unscaled, the copies are cheapest.
constexpr float kConnectorSprite = 16;
constexpr char kBackground[] = "7lines.jpg";
constexpr char kConnectorSheet[] = "line.dds";
constexpr char kCaptionFont[] = "arialbold16.dds";
constexpr int kCaptionSize = 16;
constexpr char kStaticLayer[] = "main-screen-icons";
constexpr float kDegreesToRadians = 0.0174532924f;

// The guide's flag that hides a kind of icon.
constexpr int kHideFlagOfKind[] = {0, 2, 1, 3};
constexpr int kHidePollsFlag = 4;
constexpr int kNoConnectorsFlag = 5;

// The game screen's letters and the keys it answers, as scan codes.
constexpr int kKeyE = 0x12, kKeyS = 0x1F, kKeyD = 0x20;
constexpr int kKeyF2 = KeyCode::F1 + 1, kKeyF3 = KeyCode::F1 + 2, kKeyF6 = KeyCode::F1 + 5;

// A script that ends the game gives its own title and words; they replace the usual ones.
std::string gScriptedGameOverTitle;
std::string gScriptedGameOverText;

int KindOf(const GUI_IconBase& icon) {
    const std::string kind = icon.KindName();
    if (kind == "policy")
        return kPolicyIcon;
    if (kind == "simvalue")
        return kSimValIcon;
    if (kind == "situation")
        return kSituationIcon;
    return kVoterIcon;
}

struct WantedIcon {
    Neuron* node;
    int kind;
    int group;
};

// Options files written before the connectors had a switch show them.
bool ConnectorsOptionOn() {
    return !GetOptionsTable().HasKey(kOptionShowConnectors) ||
           GetOption(kOptionShowConnectors) != 0.0f;
}

} // namespace

bool ScreenGuide::SetFlag(const std::string& name, bool on) {
    for (int i = 0; i < kFlagCount; ++i) {
        if (name == kFlagNames[i]) {
            flags[static_cast<size_t>(i)] = on;
            return true;
        }
    }
    return false;
}

void ScreenGuide::Reset() {
    flags.fill(false);
    permittedIcons.clear();
}

ScreenGuide& GetScreenGuide() {
    static ScreenGuide guide;
    return guide;
}

void SetScriptedGameOver(const std::string& title, const std::string& text) {
    gScriptedGameOverTitle = title;
    gScriptedGameOverText = text;
}

const SIM_Issue* FirstDilemmaOnDesk() {
    const SIM_IssuesManager& issues = GetIssuesManager();
    for (size_t i = 0; i < issues.Count(); ++i) {
        const SIM_Issue* issue = issues.At(i);
        if (issue->kind == 0 && issue->subject)
            return issue;
    }
    return nullptr;
}

void OpenFirstDilemma() {
    if (const SIM_Issue* issue = FirstDilemmaOnDesk())
        OpenDilemma(issue->subject->name);
}

void NextTurnFromScreen() {
    // The turn is long work behind the processing screen: it starts once this frame is shown.
    QueueGameAction([] {
        if (auto* screen = dynamic_cast<GUI_MainScreen*>(GetScreenForMode(GameMode::Game)))
            screen->NextTurn();
    });
}

void LeaveGameForMenu() {
    auto go = [] { SetGameMode(GameMode::Menu); };
    if (GUI_WindowManager* windows = GameWindowManager())
        AskToSaveFirst(*windows, "LEAVE_PROMPT_MENU", go);
    else
        go();
}

GUI_MainScreen::GUI_MainScreen() {
    SetGameWindowManager(&windowManager);
    panel = new GUI_ControlPanel();
    root.AddChildWindow(panel);
    strip = new GUI_TopStrip();
    root.AddChildWindow(strip);
    Layout();
    if (std::unique_ptr<GUI_WindowBase> made = MakeIssuesStrip(
            panel->stripLeft, panel->stripTop, panel->stripRight, panel->stripBottom)) {
        desk = made.get();
        root.AddChildWindow(made.release());
    }
    placedFor = Area();
}

GUI_MainScreen::~GUI_MainScreen() {
    if (GameWindowManager() == &windowManager)
        SetGameWindowManager(nullptr);
}

void GUI_MainScreen::Layout() {
    const float w = ScreenLayout::ScreenWidth(), h = ScreenLayout::ScreenHeight();
    root.SetRect(0, 0, w, h);
    panel->Layout(w, h);
    strip->Layout(w);
    if (auto* issues = dynamic_cast<GUI_IssuesStrip*>(desk))
        issues->Place(panel->stripLeft, panel->stripTop, panel->stripRight, panel->stripBottom);
}

IconArea GUI_MainScreen::Area() const {
    IconArea area;
    area.scale = ScreenLayout::Scale();
    area.width = ScreenLayout::ScreenWidth();
    area.height = ScreenLayout::ScreenHeight() - GUI_ControlPanel::kHeight * area.scale;
    return area;
}

void GUI_MainScreen::Relayout(float oldWidth) {
    Layout();
    ShiftWindows(static_cast<int>(std::lround((ScreenLayout::ScreenWidth() - oldWidth) / 2)));
    PlaceAllIcons();
}

void GUI_MainScreen::PlaceAllIcons() {
    const IconArea area = Area();
    if (area.width == placedFor.width && area.height == placedFor.height &&
        area.scale == placedFor.scale)
        return;
    // Icons are made at the interface size; at another one they are made again.
    if (area.scale != placedFor.scale) {
        SyncIcons();
        for (size_t i = icons.size(); i-- > 0;)
            RemoveIcon(i, true);
    }
    placedFor = area;
    slotUsed.fill(false);
    for (const auto& icon : icons)
        icon->placed = false;
    for (const auto& icon : icons) {
        if (auto* voters = dynamic_cast<GUI_PeopleStrip*>(icon.get()))
            PlaceVoterGroup(*voters);
    }
    std::array<bool, kPolicyGroupCount> all;
    all.fill(true);
    PlaceGroups(all);
    SyncIcons();
    staticDirty = true;
    RebuildConnectors();
}

void GUI_MainScreen::Activate() {
    SetGameWindowManager(&windowManager);
    Layout();
    PlaceAllIcons();
    if (!IsGameOver()) {
        gameOverShown = false;
        SetScriptedGameOver("", "");
    }
    connectorsOn = ConnectorsOptionOn();
    SyncIcons();
    RebuildConnectors();
    staticDirty = true;
    builtForTurn = GetTurnNumber();
    RefreshGameWindows();
    ShowGameOverIfDue();
    ShowScreenHint("MAINSCREEN", windowManager);
}

void GUI_MainScreen::NextTurn() {
    if (IsGameOver())
        return;
    ProcessNewTurn();
    ShowGameOverIfDue();
}

std::string GUI_MainScreen::GameOverText() const {
    if (!gScriptedGameOverText.empty())
        return Translate(gScriptedGameOverText);
    const SIM_ElectionManager& elections = GetElectionManager();
    const bool lost = elections.HasOutcome() && !elections.LastOutcome().won;
    return Translate(lost ? "GAMESCREEN_GAMEOVER_LOST" : "GAMESCREEN_GAMEOVER_SERVED");
}

void GUI_MainScreen::ShowGameOverIfDue() {
    if (!IsGameOver() || gameOverShown)
        return;
    gameOverShown = true;
    const std::string& title =
        gScriptedGameOverTitle.empty() ? "GAMESCREEN_GAMEOVER_TITLE" : gScriptedGameOverTitle;
    OpenGameOver(Translate(title), GameOverText());
}

// ---- Icons ----

GUI_IconBase* GUI_MainScreen::FindIcon(const std::string& nodeName) const {
    for (const auto& icon : icons) {
        if (icon->nodeName == nodeName)
            return icon.get();
    }
    return nullptr;
}

GUI_IconBase* GUI_MainScreen::MakeIcon(Neuron* node, int kind, int group) {
    const float size = kIconSize * ScreenLayout::Scale();
    std::unique_ptr<GUI_IconBase> icon;
    switch (kind) {
    case kPolicyIcon:
        icon = std::make_unique<GUI_PolicyIcon>(static_cast<SIM_Policy*>(node), size);
        break;
    case kSimValIcon:
        icon = std::make_unique<GUI_SimValIcon>(static_cast<SIM_SimVal*>(node), size);
        break;
    case kSituationIcon:
        icon = std::make_unique<GUI_SituationIcon>(static_cast<SIM_Situation*>(node), size);
        break;
    default:
        icon = std::make_unique<GUI_PeopleStrip>(static_cast<SIM_VoterType*>(node), size);
        break;
    }
    icon->group = group;
    icon->lookFigure = icon->LookFigure();
    icons.push_back(std::move(icon));
    return icons.back().get();
}

void GUI_MainScreen::RemoveIcon(size_t index, bool nodeAlive) {
    GUI_IconBase* icon = icons[index].get();
    if (nodeAlive && icon->node->icon == icon)
        icon->node->icon = nullptr;
    if (icon->group >= 0 && icon->group < kPolicyGroupCount) {
        auto& members = groupIcons[static_cast<size_t>(icon->group)];
        members.erase(std::remove(members.begin(), members.end(), icon), members.end());
    }
    if (auto* voters = dynamic_cast<GUI_PeopleStrip*>(icon); voters && voters->slot >= 0)
        slotUsed[static_cast<size_t>(voters->slot)] = false;
    icons.erase(icons.begin() + static_cast<long>(index));
}

void GUI_MainScreen::PlaceVoterGroup(GUI_PeopleStrip& voters) {
    const std::vector<IconPoint> slots = PeopleSlots(Area());
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!slotUsed[i]) {
            slotUsed[i] = true;
            voters.slot = static_cast<int>(i);
            voters.PlaceAt(slots[i].x, slots[i].y);
            voters.placed = true;
            return;
        }
    }
    REPORT_ERROR("Failed to find a position for icon");
    voters.slot = -1;
    voters.PlaceAt(kNoSlotX, kNoSlotY);
    voters.placed = true;
}

bool GUI_MainScreen::SyncIcons() {
    // What the game shows now, and every node that is still alive: an icon whose node is not
    // among the living belongs to a game that is gone, and its node must not be touched.
    std::vector<WantedIcon> wanted;
    std::unordered_set<const Neuron*> alive;
    for (SIM_SimVal* value : GetSimulation().Values()) {
        alive.insert(value);
        if (value->group && !value->hidden)
            wanted.push_back({value, kSimValIcon, value->group->index});
    }
    SIM_PolicyManager& policies = GetPolicyManager();
    for (SIM_Policy* policy : policies.AllPolicies())
        alive.insert(policy);
    for (int g = 0; g < kPolicyGroupCount; ++g) {
        for (SIM_Policy* policy : policies.Group(g).policies) {
            if (!policy->hidden)
                wanted.push_back({policy, kPolicyIcon, g});
        }
    }
    for (SIM_Situation* situation : SIM_Situation::All()) {
        alive.insert(situation);
        if (situation->active && situation->policyGroup && !situation->hidden)
            wanted.push_back({situation, kSituationIcon, situation->policyGroup->index});
    }
    for (SIM_VoterType* voters : GetVoterManager().VoterTypes()) {
        alive.insert(voters);
        if (!voters->hidden)
            wanted.push_back({voters, kVoterIcon, -1});
    }

    std::unordered_map<const Neuron*, const WantedIcon*> byNode;
    for (const WantedIcon& w : wanted)
        byNode[w.node] = &w;
    bool changed = false;
    std::unordered_set<const Neuron*> kept;
    for (size_t i = icons.size(); i-- > 0;) {
        GUI_IconBase& icon = *icons[i];
        auto found = byNode.find(icon.node);
        const bool keep = found != byNode.end() && found->second->kind == KindOf(icon) &&
                          found->second->group == icon.group && icon.nodeName == icon.node->name;
        if (keep) {
            kept.insert(icon.node);
            continue;
        }
        RemoveIcon(i, alive.count(icon.node) > 0);
        changed = true;
    }

    std::array<bool, kPolicyGroupCount> regroup{};
    for (const WantedIcon& w : wanted) {
        if (kept.count(w.node))
            continue;
        GUI_IconBase* icon = MakeIcon(w.node, w.kind, w.group);
        changed = true;
        if (w.group >= 0 && w.group < kPolicyGroupCount) {
            groupIcons[static_cast<size_t>(w.group)].push_back(icon);
            regroup[static_cast<size_t>(w.group)] = true;
        } else {
            PlaceVoterGroup(static_cast<GUI_PeopleStrip&>(*icon));
        }
    }

    PlaceGroups(regroup);
    if (changed) {
        staticDirty = true;
        RebuildConnectors();
    }
    return changed;
}

void GUI_MainScreen::PlaceGroups(const std::array<bool, kPolicyGroupCount>& regroup) {
    const IconArea area = Area();
    for (int g = 0; g < kPolicyGroupCount; ++g) {
        if (!regroup[static_cast<size_t>(g)])
            continue;
        std::vector<IconSpot> spots;
        std::unordered_map<const GUI_IconBase*, size_t> index;
        for (const auto& icon : icons) {
            index[icon.get()] = spots.size();
            spots.push_back({{icon->spotX, icon->spotY}, icon->placed});
        }
        std::vector<size_t> members;
        for (const GUI_IconBase* icon : groupIcons[static_cast<size_t>(g)])
            members.push_back(index[icon]);
        PlaceGroup(area, SectorAround(PolicyGroupAngle(g)), spots, members);
        for (GUI_IconBase* icon : groupIcons[static_cast<size_t>(g)]) {
            const IconSpot& spot = spots[index[icon]];
            icon->CentreOn(spot.centre.x, spot.centre.y);
            icon->placed = true;
        }
    }
}

void GUI_MainScreen::RebuildConnectors() {
    for (const auto& icon : icons) {
        if (connectorsOn)
            icon->BuildConnectors();
        else
            icon->connectors.clear();
    }
}

void GUI_MainScreen::ApplyGuideFlags() {
    const ScreenGuide& guide = GetScreenGuide();
    for (const auto& icon : icons) {
        const bool hide = guide.Flag(kHideFlagOfKind[KindOf(*icon)]);
        if (icon->hidden != hide) {
            icon->hidden = hide;
            staticDirty = true;
        }
    }
    strip->hidePolls = guide.Flag(kHidePollsFlag);
}

// ---- The frame ----

void GUI_MainScreen::Update() {
    GetPlayGuide().KeepWindowOnTop();
    GUI_WindowScreen::Update();
    if (SyncIcons())
        builtForTurn = GetTurnNumber();
    const bool option = ConnectorsOptionOn();
    if (option != connectorsOn || builtForTurn != GetTurnNumber()) {
        connectorsOn = option;
        builtForTurn = GetTurnNumber();
        RebuildConnectors();
    }
    ApplyGuideFlags();
    for (const auto& icon : icons) {
        const float look = icon->LookFigure();
        if (look != icon->lookFigure) {
            icon->lookFigure = look;
            staticDirty = true;
        }
    }
    UpdateHover();
}

void GUI_MainScreen::UpdateHover() {
    InputState& input = GetInput();
    if (input.mouseX != lastMouseX || input.mouseY != lastMouseY) {
        restCounter = 0;
        lastMouseX = input.mouseX;
        lastMouseY = input.mouseY;
    } else if (restCounter < 1000000) {
        ++restCounter;
    }
    // A modal window holds the mouse: nothing beneath it lights up.
    const bool free = !input.mouseTaken && GUI_WindowManager::ModalOpenAnywhere() == 0;
    bool found = false;
    for (const auto& icon : icons) {
        const bool over =
            free && !found && !icon->hidden && icon->HitTest(input.mouseX, input.mouseY);
        found = found || over;
        icon->StepHover(over);
        icon->hovered = over ? 1 : 0;
        icon->highlighted = over && restCounter > GUI_IconBase::kRestBeforeHighlight;
        icon->connectorsShown = icon->highlighted || allConnectorsShown;
        if (icon->highlighted && icon->tooltip)
            icon->tooltip->MarkForFrame(input.timeMs);
    }
    if (found)
        input.mouseTaken = true;
}

void GUI_MainScreen::Draw() {
    connectorsDrawn = 0;
    if (!windowManager.DrawPages()) {
        DrawStatic();
        for (const auto& icon : icons) {
            if (!icon->hidden)
                icon->DrawHover();
        }
        DrawConnectors();
        root.Draw();
    }
    windowManager.DrawWindows();
}

void GUI_MainScreen::DrawStatic() {
    RenderDevice& device = GetRenderDevice();
    if (staticDirty) {
        // Every screen's kept picture goes; the others are drawn afresh when next shown.
        device.ForgetLayers();
        staticDirty = false;
    }
    if (device.BeginLayer(kStaticLayer)) {
        const IconArea area = Area();
        const float h = ScreenLayout::ScreenHeight();
        // The picture's middle sits on the play area's middle; the panel hides what it leaves.
        const float top = area.height / 2 - h / 2;
        if (!ScreenLayout::DrawFitted(kBackground, 0, top, area.width, top + h))
            device.FillRect(0, 0, area.width, h, 0xFF0C1420);
        DrawCaptions();
        for (const auto& icon : icons) {
            if (!icon->hidden)
                icon->DrawIcon();
        }
        GetTextEngine().Flush();
        device.EndLayer();
    }
    device.DrawLayer(kStaticLayer);
}

// Each group's name on the circle at its angle, turned along the circle, letter by letter.
void GUI_MainScreen::DrawCaptions() {
    TextEngine& text = GetTextEngine();
    text.Flush();
    text.SetFont(kCaptionFont, kCaptionSize);
    const LibFont* font = text.CurrentFont();
    if (!font || font->texture == kNoTexture)
        return;
    RenderDevice& device = GetRenderDevice();
    const IconArea area = Area();
    // The ring of the background picture, which is drawn for the whole screen's height.
    const float radius = ScreenLayout::ScreenHeight() / 3 - 16 * area.scale;
    const float scale = static_cast<float>(kCaptionSize) / static_cast<float>(font->size);
    const float quad = font->cell * scale;
    const int cells = font->rows * font->columns;
    SIM_PolicyManager& policies = GetPolicyManager();
    for (int g = 0; g < kPolicyGroupCount; ++g) {
        const float angle = PolicyGroupAngle(g);
        const IconPoint centre = PolarPoint(area, angle, radius);
        const std::string& shown = policies.Group(g).displayName;
        const std::string caption = shown.empty() ? kPolicyGroupKeys[g] : shown;
        const float turn = CaptionRotation(angle);
        const float ux = std::cos(turn * kDegreesToRadians);
        const float uy = std::sin(turn * kDegreesToRadians);
        float pen = -static_cast<float>(text.TextWidth(caption)) / 2;
        for (size_t at = 0; at < caption.size();) {
            const size_t start = at;
            const int glyph = TextEngine::GlyphIndex(glyph_cells::NextCharacter(caption, at));
            const float advance =
                static_cast<float>(text.TextWidth(caption.substr(start, at - start)));
            if (glyph >= 0 && glyph < cells) {
                const float along = pen + quad / 2;
                const float cx = centre.x + ux * along, cy = centre.y + uy * along;
                SpriteDraw sprite;
                sprite.left = cx - quad / 2;
                sprite.top = cy - quad / 2;
                sprite.right = cx + quad / 2;
                sprite.bottom = cy + quad / 2;
                sprite.u0 = font->u0[static_cast<size_t>(glyph)];
                sprite.u1 = font->u1[static_cast<size_t>(glyph)];
                sprite.v0 = font->v0[static_cast<size_t>(glyph)];
                sprite.v1 = font->v1[static_cast<size_t>(glyph)];
                sprite.colour = 0xC8B4D2E0;
                sprite.rotationDegrees = turn;
                device.DrawSprite(font->texture, sprite);
            }
            pen += advance;
        }
    }
}

void GUI_MainScreen::DrawConnectors() {
    if (!connectorsOn || GetScreenGuide().Flag(kNoConnectorsFlag))
        return;
    static std::vector<QuadVertex> quads;
    quads.clear();
    const uint32_t now = GetInput().timeMs;
    const float sprite = kConnectorSprite * ScreenLayout::Scale();
    for (const auto& icon : icons) {
        if (!icon->connectorsShown || icon->hidden)
            continue;
        for (GUI_NeuralEffect& connector : icon->connectors) {
            connector.Animate(now);
            connector.AppendQuads(quads, sprite);
            ++connectorsDrawn;
        }
    }
    if (quads.empty())
        return;
    GetTextEngine().Flush();
    RenderDevice& device = GetRenderDevice();
    device.DrawQuads(device.FindTexture(kConnectorSheet), quads.data(),
                     static_cast<int>(quads.size()), false);
}

// ---- Input ----

bool GUI_MainScreen::OnLeftClick(float x, float y) {
    // While a turn is worked out the screen only waits.
    if (GetGameMode() == GameMode::Processing)
        return true;
    ScreenGuide& guide = GetScreenGuide();
    if (!guide.permittedIcons.empty()) {
        // A copy: the guide's next step may change the list while it is walked.
        const std::vector<std::string> permitted = guide.permittedIcons;
        for (const std::string& name : permitted) {
            for (const auto& icon : icons) {
                if (icon->nodeName != name || icon->hidden || !icon->OnClick(x, y))
                    continue;
                if (guide.onPermittedClick)
                    guide.onPermittedClick(name);
                return true;
            }
        }
    }
    if (GUI_WindowScreen::OnLeftClick(x, y))
        return true;
    if (!guide.permittedIcons.empty())
        return false;
    for (const auto& icon : icons) {
        if (icon->OnClick(x, y))
            return true;
    }
    return false;
}

void GUI_MainScreen::OnKey(int keyCode) {
    // Escape would close the window a guided step is about.
    if (keyCode == KeyCode::Escape && GetPlayGuide().IsActive())
        return;
    GUI_WindowScreen::OnKey(keyCode);
}

void GUI_MainScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Enter) {
        CloseGameWindowsOfKind(WindowKind::StartDialog);
        return;
    }
    // A modal window waits for its answer: the screen's own keys wait with it. So do they while
    // the play guide leads: a shortcut would step off its path.
    if (windowManager.ModalCount() > 0 || GetPlayGuide().IsActive())
        return;
    // Nothing left to close: Escape steps back to the menu.
    if (keyCode == KeyCode::Escape) {
        LeaveGameForMenu();
        return;
    }
    const InputState& input = GetInput();
    const bool controlShift =
        input.IsKeyDown(KeyCode::LeftControl) &&
        (input.IsKeyDown(KeyCode::LeftShift) || input.IsKeyDown(KeyCode::RightShift));
    if (controlShift) {
        if (keyCode == kKeyE)
            OpenDebugObjectViewer(static_cast<int>(NeuronType::Event));
        else if (keyCode == kKeyS)
            OpenDebugObjectViewer(static_cast<int>(NeuronType::Situation));
        else if (keyCode == kKeyD)
            OpenDebugObjectViewer(static_cast<int>(NeuronType::Dilemma));
        return;
    }
    if (keyCode == KeyCode::F1) {
        OpenPolls();
    } else if (keyCode == kKeyF2) {
        if (!FindGameWindow(WindowKind::PolicyPicker))
            OpenPolicyPicker();
    } else if (keyCode == kKeyF3) {
        OpenFinance();
    } else if (keyCode == kKeyF6) {
        if (GetOption(kOptionEnableDilemmas) != 0.0f && FirstDilemmaOnDesk())
            OpenFirstDilemma();
        else
            NextTurnFromScreen();
    }
}

// ---- What tests read ----

const GUI_ButtonBase* GUI_MainScreen::FindButton(const std::string& identifier) const {
    if (const GUI_ButtonBase* button = GUI_WindowScreen::FindButton(identifier))
        return button;
    for (const auto& icon : icons) {
        if (!icon->hidden && icon->identifier == identifier)
            return icon.get();
    }
    return nullptr;
}

void GUI_MainScreen::Describe(JsonWriter& json) const {
    GUI_WindowScreen::Describe(json);
    json.Key("icons");
    json.BeginArray();
    for (const auto& icon : icons) {
        if (icon->hidden)
            continue;
        json.BeginObject();
        json.Field("kind", icon->KindName());
        json.Field("node", icon->nodeName);
        UiDump::Rect(json, icon->left, icon->top, icon->right, icon->bottom);
        IconCaption caption;
        if (icon->Caption(caption)) {
            json.Key("label");
            json.BeginObject();
            json.Field("text", caption.text);
            UiDump::Rect(json, static_cast<int>(std::floor(caption.left)),
                         static_cast<int>(std::floor(caption.top)),
                         static_cast<int>(std::ceil(caption.right)),
                         static_cast<int>(std::ceil(caption.bottom)));
            json.EndObject();
        }
        json.Field("highlighted", icon->highlighted);
        json.Field("connectors", static_cast<int>(icon->connectors.size()));
        if (icon->highlighted && icon->tooltip)
            json.Field("tooltip", icon->tooltip->Text());
        json.EndObject();
    }
    json.EndArray();
    json.Field("connectors", connectorsDrawn);
}
