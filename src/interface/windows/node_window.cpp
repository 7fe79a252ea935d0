#include "interface/windows/node_window.h"

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/translation.h"
#include "base/turn.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "population/grudge.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace NodeText {

std::string DisplayName(const Neuron& node) {
    if (node.guiName[0] == '\0')
        return node.name;
    return Translate(node.guiName);
}

std::string DisplayName(const std::string& neuronName) {
    const Neuron* node = LookUpNeuron(neuronName);
    return node ? DisplayName(*node) : neuronName;
}

std::string Fixed(float value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    // "-0.0" says nothing a plain "0.0" does not.
    std::string written = text;
    if (written[0] == '-' && written.find_first_not_of("-0.") == std::string::npos)
        written.erase(0, 1);
    return written;
}

std::string Points(float fraction) {
    return Fixed(fraction * 100.0f, 0);
}

std::string SignedPoints(float fraction) {
    std::string written = Fixed(fraction * 100.0f, 1);
    if (written != "0.0" && written[0] != '-')
        written.insert(0, "+");
    return written;
}

std::string Percent(float share) {
    const float percent = share * 100.0f;
    return Fixed(percent, std::fabs(percent) < 10.0f && percent != 0.0f ? 1 : 0) + "%";
}

std::string Fill(const std::string& key,
                 std::initializer_list<std::pair<const char*, std::string>> values) {
    std::string text = Translate(key);
    for (const auto& [name, value] : values)
        ReplaceAll(text, std::string("<") + name + ">", value);
    return text;
}

} // namespace NodeText

namespace {

// The voter group whose share or membership node this is, or null.
const Neuron* OwningVoterGroup(const std::string& name) {
    for (const char* suffix : {"_perc", "_freq"}) {
        const size_t length = std::strlen(suffix);
        if (name.size() > length && name.compare(name.size() - length, length, suffix) == 0) {
            const Neuron* group = LookUpNeuron(name.substr(0, name.size() - length));
            if (group && group->typeCode == NeuronType::VoterType)
                return group;
        }
    }
    return nullptr;
}

} // namespace

DetailsTarget FindDetailsTarget(const Neuron& node) {
    switch (node.typeCode) {
    case NeuronType::Policy:
        return {WindowKind::PolicyDetails, node.name};
    case NeuronType::SimVal:
        return {WindowKind::SimValueDetails, node.name};
    case NeuronType::Situation:
        return {WindowKind::SituationDetails, node.name};
    case NeuronType::VoterType:
        return {WindowKind::VoterGroupDetails, node.name};
    case NeuronType::Grudge: {
        const Neuron* about = static_cast<const SIM_Grudge&>(node).target;
        // A grudge about another grudge would send us round in a circle.
        if (about && about->typeCode != NeuronType::Grudge)
            return FindDetailsTarget(*about);
        return {};
    }
    case NeuronType::Plain:
    case NeuronType::VoterFrequency:
        if (const Neuron* group = OwningVoterGroup(node.name))
            return {WindowKind::VoterGroupDetails, group->name};
        return {};
    default:
        return {};
    }
}

GUI_NodeText::GUI_NodeText(const std::string& words, float x, float y, float w, float h)
    : text(words) {
    SetRect(x, y, x + w, y + h);
}

void GUI_NodeText::Draw() {
    if (!visible || text.empty())
        return;
    TextEngine& engine = GetTextEngine();
    engine.SetFont(font, fontSize);
    engine.DrawWrapped(text, static_cast<float>(left), static_cast<float>(top), width, colour);
}

GUI_PictureBox::GUI_PictureBox(const std::string& file, const std::string& shownName)
    : picture(file) {
    // Up to two initials, from the first letters of the first two words.
    bool wordStart = true;
    for (char c : shownName) {
        if (wordStart && std::isalpha(static_cast<unsigned char>(c)) && initials.size() < 2)
            initials += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        wordStart = c == ' ';
    }
}

bool GUI_PictureBox::Found() const {
    return !picture.empty() && GetRenderDevice().FindTexture(picture) != kNoTexture;
}

void GUI_PictureBox::Draw() {
    if (!visible)
        return;
    RenderDevice& device = GetRenderDevice();
    const TextureId texture = picture.empty() ? kNoTexture : device.FindTexture(picture);
    if (texture != kNoTexture) {
        device.DrawPicture(texture, static_cast<float>(left), static_cast<float>(top),
                           static_cast<float>(right), static_cast<float>(bottom));
        return;
    }
    static std::set<std::string> reported;
    const std::string what = picture.empty() ? "(none given) for " + initials : picture;
    if (reported.insert(what).second)
        LogF("No picture %s: a stand-in is drawn", what.c_str());
    device.FillRect(left + 2.0f, top + 2.0f, right - 2.0f, bottom - 2.0f, 0xFF2A3A4C);
    device.OutlineRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                       static_cast<float>(bottom), 0xFF8FA3B8);
    const int size = height >= 60 ? 30 : 20;
    const std::string font = size == 30 ? "tahoma30.dds" : "arialbold20.dds";
    GuiDraw::Text(font, size, initials, left + width / 2.0f, top + (height - size) / 2.0f,
                  0xFFD8E4F0, true);
}

void GUI_PictureBox::DescribeMore(JsonWriter& json) const {
    json.Field("found", Found());
}

void GUI_ProgressBar::Draw() {
    if (!visible)
        return;
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    GuiDraw::PictureOr("gui_progress_back.dds", l, t, r, b, 0xFF1C242E, 0xFF6A7A8A);
    const float done = fraction < 0 ? 0 : (fraction > 1 ? 1 : fraction);
    if (done > 0)
        GuiDraw::PictureOr("gui_progress_fill.dds", l + 1, t + 1, l + 1 + (r - l - 2) * done, b - 1,
                           0xFF4F9A86, 0);
}

void GUI_ProgressBar::DescribeMore(JsonWriter& json) const {
    json.Field("fraction", fraction);
}

GUI_NodeWindow::GUI_NodeWindow(const std::string& windowKind, const std::string& node,
                               float designWidth, float designHeight)
    : GUI_GameWindow(windowKind, "", designWidth, designHeight), nodeName(node) {}

void GUI_NodeWindow::Update() {
    if (builtTurn != GetTurnNumber())
        Rebuild();
    GUI_GameWindow::Update();
}

void GUI_NodeWindow::Rebuild() {
    builtTurn = GetTurnNumber();
    ClearWindowContent(*this);
    Neuron* node = LookUpNeuron(nodeName);
    if (!node) {
        title = nodeName;
        AddLabel(Translate("NODEWIN_GONE"), 0, 10);
        return;
    }
    title = NodeText::DisplayName(*node);
    Layout(*node);
}

void ClearWindowContent(GUI_Dialog& window) {
    for (size_t i = window.buttons.size(); i-- > 0;) {
        if (window.buttons[i].get() != window.closeButton)
            window.buttons.erase(window.buttons.begin() + static_cast<long>(i));
    }
}

GUI_Label* AddWindowLabel(GUI_WindowBase& window, const std::string& text, float x, float y,
                          const std::string& tooltip, const std::string& font, int size) {
    auto* label = new GUI_Label();
    label->font = font;
    label->fontSize = size;
    label->SetRect(x, y, x, y);
    label->SetText(text);
    if (!tooltip.empty())
        label->SetTooltipText(tooltip);
    window.AddChild(label);
    return label;
}

GUI_Label* GUI_NodeWindow::AddLabel(const std::string& text, float designX, float designY,
                                    const std::string& tooltip, const std::string& font, int size) {
    return AddWindowLabel(*this, text, X(designX), Y(designY), tooltip, font, size);
}

GUI_PictureBox* GUI_NodeWindow::AddPicture(const std::string& file, const std::string& shownName,
                                           float designX, float designY, float designSide) {
    auto* picture = new GUI_PictureBox(file, shownName);
    picture->SetRect(X(designX), Y(designY), X(designX + designSide), Y(designY + designSide));
    AddChild(picture);
    return picture;
}

GUI_ButtonText* GUI_NodeWindow::AddButton(const std::string& key, const std::string& id,
                                          float designX, float designY, float designWidth,
                                          float designHeight, std::function<void()> action) {
    auto* button = new GUI_ButtonText(key);
    button->identifier = id;
    button->fontSize = 14;
    button->font = "arialbold16.dds";
    button->SetRect(X(designX), Y(designY), X(designX + designWidth), Y(designY + designHeight));
    button->deferred = true;
    button->SetCallback([action](void*) { action(); });
    AddChild(button);
    return button;
}

GUI_NodeText* GUI_NodeWindow::AddText(const std::string& text, float designX, float designY,
                                      float designWidth, float designHeight) {
    auto* block = new GUI_NodeText(text, X(designX), Y(designY), S(designWidth), S(designHeight));
    AddChild(block);
    return block;
}

void GUI_NodeWindow::AddEncyclopediaButton(float designX, float designY) {
    const std::string name = nodeName;
    GUI_ButtonText* button = AddButton("NODEWIN_ENCYCLOPEDIA", "EncyclopediaButton", designX,
                                       designY, 130, 28, [name] { OpenEncyclopedia(name); });
    button->SetTooltip("NODEWIN_ENCYCLOPEDIA_TIP");
}
