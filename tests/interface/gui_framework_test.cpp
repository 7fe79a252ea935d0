#include "base/options.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_check_button.h"
#include "interface/widgets/gui_dialog.h"
#include "interface/widgets/gui_frame_work.h"
#include "interface/widgets/gui_list_box.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/gui_tab_container.h"
#include "interface/widgets/gui_text_field.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_screen.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRenderDevice(&device);
        GetInput() = InputState();
        GUI_Tooltip::ClearMarked();
        PlayGuideButtonCheck() = nullptr;
    }
    void TearDown() override {
        RunDeferredCalls();
        GUI_Tooltip::ClearMarked();
        PlayGuideButtonCheck() = nullptr;
        GetInput() = InputState();
        SetRenderDevice(nullptr);
    }

    static void MouseAt(float x, float y) {
        InputState& input = GetInput();
        input.BeginPoll();
        input.mouseX = x;
        input.mouseY = y;
        input.mouseTaken = false;
    }
    static void Press(float x, float y) {
        MouseAt(x, y);
        GetInput().leftDown = GetInput().leftPressed = true;
    }
    static void Release(float x, float y) {
        MouseAt(x, y);
        GetInput().leftDown = false;
        GetInput().leftReleased = true;
    }

    // A window with a plain panel of its own colour, so the drawing order can be read back.
    static std::unique_ptr<GUI_WindowBase> Panel(int l, int t, int r, int b, unsigned colour) {
        auto window = std::make_unique<GUI_WindowBase>();
        window->SetRect(l, t, r, b);
        window->drawPanel = true;
        window->panelColour = colour;
        return window;
    }
    static GUI_ButtonText* AddButton(GUI_WindowBase& window, int l, int t, int r, int b,
                                     int* clicks) {
        auto* button = new GUI_ButtonText("OK");
        button->SetRect(l, t, r, b);
        button->SetCallback([clicks](void*) { ++*clicks; });
        window.AddChild(button);
        return button;
    }
    // Panel colours in the order they were filled.
    std::vector<unsigned> FillOrder(const std::vector<unsigned>& colours) const {
        std::vector<unsigned> order;
        for (const auto& rect : device.rects) {
            if (rect.filled &&
                std::find(colours.begin(), colours.end(), rect.colour) != colours.end())
                order.push_back(rect.colour);
        }
        return order;
    }

    LoggedTest logged;
    RecordingRenderDevice device;
};

// A screen whose own area counts its clicks, as the game screen's icons would.
class CountingScreen : public GUI_WindowScreen {
public:
    bool OnLeftClick(float x, float y) override {
        if (GUI_WindowScreen::OnLeftClick(x, y))
            return true;
        ++screenClicks;
        return false;
    }
    int screenClicks = 0;
};

} // namespace

TEST_F(GuiTest, ClicksGoToTheTopmostChildAndEmptyWindowAreasSwallowThem) {
    GUI_WindowManager manager;
    auto window = Panel(100, 100, 400, 400, 0xFF000001);
    int parentClicks = 0, lowerClicks = 0, upperClicks = 0;
    AddButton(*window, 110, 110, 200, 140, &parentClicks);
    // Two overlapping child windows: the one added last is on top.
    auto* lower = Panel(150, 200, 300, 300, 0xFF000002).release();
    auto* upper = Panel(200, 200, 350, 300, 0xFF000003).release();
    AddButton(*lower, 150, 200, 300, 230, &lowerClicks);
    AddButton(*upper, 200, 200, 350, 230, &upperClicks);
    window->AddChildWindow(lower);
    window->AddChildWindow(upper);
    manager.Open(window.get());

    EXPECT_TRUE(manager.OnLeftClick(250, 210));
    EXPECT_EQ(upperClicks, 1);
    EXPECT_EQ(lowerClicks, 0);
    EXPECT_TRUE(manager.OnLeftClick(160, 210));
    EXPECT_EQ(lowerClicks, 1);
    EXPECT_TRUE(manager.OnLeftClick(120, 120));
    EXPECT_EQ(parentClicks, 1);

    // Empty parts are taken; right and bottom edges lie outside.
    EXPECT_TRUE(manager.OnLeftClick(390, 390));
    EXPECT_FALSE(manager.OnLeftClick(400, 250));
    EXPECT_FALSE(manager.OnLeftClick(250, 400));

    // A hidden window takes nothing, draws nothing, and its buttons do not light up.
    window->visible = false;
    EXPECT_FALSE(manager.OnLeftClick(120, 120));
    EXPECT_EQ(parentClicks, 1);
    MouseAt(120, 120);
    manager.UpdateWindows();
    EXPECT_FALSE(GetInput().mouseTaken);
    EXPECT_EQ(window->buttons[0]->hovered, 0);
    device.Clear();
    manager.DrawWindows();
    EXPECT_TRUE(device.rects.empty());

    // Disabled buttons and buttons the play guide refuses let the click fall to the window.
    window->visible = true;
    window->buttons[0]->enabled = false;
    EXPECT_TRUE(manager.OnLeftClick(120, 120));
    window->buttons[0]->enabled = true;
    PlayGuideButtonCheck() = [](const std::string& id) { return id == "NEXT"; };
    EXPECT_TRUE(manager.OnLeftClick(120, 120));
    EXPECT_EQ(parentClicks, 1);
    window->buttons[0]->identifier = "NEXT";
    EXPECT_TRUE(manager.OnLeftClick(120, 120));
    EXPECT_EQ(parentClicks, 2);
}

TEST_F(GuiTest, ModalWindowAloneReactsWhileOpen) {
    CountingScreen screen;
    auto window = Panel(0, 0, 300, 300, 0xFF000001);
    int windowClicks = 0, modalClicks = 0;
    GUI_ButtonText* outside = AddButton(*window, 10, 10, 100, 40, &windowClicks);
    GUI_Dialog dialog("TITLE");
    dialog.SetRect(400, 100, 700, 400);
    GUI_ButtonText* inside = AddButton(dialog, 420, 300, 520, 330, &modalClicks);
    screen.Windows().Open(window.get());
    screen.Windows().OpenModal(&dialog);
    EXPECT_EQ(GUI_WindowManager::ModalOpenAnywhere(), 1);

    MouseAt(20, 20);
    screen.Update();
    EXPECT_EQ(outside->hovered, 0);
    EXPECT_TRUE(screen.OnLeftClick(20, 20));
    EXPECT_TRUE(screen.OnLeftClick(900, 700));
    EXPECT_EQ(windowClicks, 0);
    EXPECT_EQ(screen.screenClicks, 0);

    MouseAt(430, 310);
    screen.Update();
    EXPECT_EQ(inside->hovered, 1);
    EXPECT_TRUE(screen.OnLeftClick(430, 310));
    EXPECT_EQ(modalClicks, 1);

    // The dialog's close button ends the modality; the screen is reachable again.
    ASSERT_NE(dialog.closeButton, nullptr);
    EXPECT_TRUE(
        screen.OnLeftClick(dialog.closeButton->left + 2.0f, dialog.closeButton->top + 2.0f));
    EXPECT_FALSE(screen.Windows().IsOpen(&dialog));
    EXPECT_EQ(GUI_WindowManager::ModalOpenAnywhere(), 0);
    MouseAt(20, 20);
    screen.Update();
    EXPECT_EQ(outside->hovered, 1);
    EXPECT_FALSE(screen.OnLeftClick(900, 700));
    EXPECT_EQ(screen.screenClicks, 1);
}

TEST_F(GuiTest, ClickedWindowComesToTopAndDialogsDrawAboveWindows) {
    GUI_WindowManager manager;
    const unsigned kA = 0xFF0000A1, kB = 0xFF0000B2, kD = 0xFF0000D3;
    auto dialog = std::make_unique<GUI_Dialog>("", false);
    dialog->SetRect(600, 500, 700, 600);
    manager.Open(dialog.get());
    auto a = Panel(0, 0, 200, 200, kA);
    auto b = Panel(100, 100, 300, 300, kB);
    int aClicks = 0, bClicks = 0;
    AddButton(*a, 120, 120, 180, 180, &aClicks);
    AddButton(*b, 120, 120, 180, 180, &bClicks);
    manager.Open(a.get());
    manager.Open(b.get());

    EXPECT_TRUE(manager.OnLeftClick(150, 150));
    EXPECT_EQ(bClicks, 1);
    EXPECT_TRUE(manager.OnLeftClick(50, 50));
    EXPECT_EQ(manager.OpenWindows().back(), a.get());
    EXPECT_TRUE(manager.OnLeftClick(150, 150));
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(bClicks, 1);

    device.Clear();
    manager.DrawWindows();
    EXPECT_EQ(FillOrder({kA, kB}), (std::vector<unsigned>{kB, kA}));
    // The dialog was opened first but its frame comes after both windows' panels.
    size_t lastPanel = 0, dialogFrame = 0;
    for (size_t i = 0; i < device.rects.size(); ++i) {
        if (device.rects[i].colour == kA)
            lastPanel = i;
        if (device.rects[i].left == 600 && device.rects[i].filled)
            dialogFrame = i;
    }
    EXPECT_GT(dialogFrame, lastPanel);
    (void)kD;

    // Dragging follows the mouse by the grab offset and ends on release.
    a->draggable = true;
    Press(10, 20);
    manager.UpdateWindows();
    EXPECT_TRUE(a->dragging);
    MouseAt(60, 80);
    GetInput().leftDown = true;
    manager.UpdateWindows();
    EXPECT_EQ(a->left, 50);
    EXPECT_EQ(a->top, 60);
    EXPECT_EQ(a->buttons[0]->left, 170);
    Release(60, 80);
    manager.UpdateWindows();
    EXPECT_FALSE(a->dragging);
    EXPECT_EQ(GUI_WindowBase::DraggedWindow(), nullptr);

    // Buttons laid out before a window is first placed stay where they were put.
    GUI_WindowBase late;
    int lateClicks = 0;
    AddButton(late, 500, 500, 560, 530, &lateClicks);
    late.SetRect(480, 480, 700, 700);
    EXPECT_EQ(late.buttons[0]->left, 500);
}

TEST_F(GuiTest, TooltipsDrawLastAndHideUnderWindowsThatTakeTheMouse) {
    CountingScreen screen;
    int clicks = 0;
    GUI_ButtonText* button = AddButton(screen.Root(), 50, 50, 150, 80, &clicks);
    button->SetTooltipText("Ends the turn");
    auto cover = Panel(0, 0, 300, 300, 0xFF000001);

    MouseAt(60, 60);
    screen.Update();
    ASSERT_EQ(GUI_Tooltip::Marked().size(), 1u);
    EXPECT_TRUE(GetInput().mouseTaken);
    device.Clear();
    screen.Draw();
    FinishInterfaceFrame();
    EXPECT_TRUE(GUI_Tooltip::Marked().empty());
    EXPECT_FALSE(GetInput().mouseTaken);
    // The tooltip's box is the last rectangle of the frame, beside the mouse.
    ASSERT_FALSE(device.rects.empty());
    EXPECT_FLOAT_EQ(device.rects.back().left, 76);

    screen.Windows().Open(cover.get());
    MouseAt(60, 60);
    screen.Update();
    EXPECT_TRUE(GUI_Tooltip::Marked().empty());
    EXPECT_EQ(button->hovered, 0);
    // Nor does the screen see the click through the window.
    EXPECT_TRUE(screen.OnLeftClick(60, 60));
    EXPECT_EQ(clicks, 0);

    // A tooltip whose button goes away mid-frame is not drawn.
    screen.Windows().Close(cover.get());
    MouseAt(60, 60);
    screen.Update();
    ASSERT_EQ(GUI_Tooltip::Marked().size(), 1u);
    screen.Root().RemoveButton(button);
    EXPECT_TRUE(GUI_Tooltip::Marked().empty());
}

TEST_F(GuiTest, TabsShowAndRouteOnlyTheActivePage) {
    GUI_WindowManager manager;
    auto* container = new GUI_TabContainer();
    container->SetRect(0, 0, 400, 300);
    std::unique_ptr<GUI_WindowBase> holder(container);
    auto* first = new GUI_WindowTab();
    auto* second = new GUI_WindowTab();
    int firstClicks = 0, secondClicks = 0;
    GUI_ButtonTab* firstTab = container->AddTab(first, "TAB_ONE");
    GUI_ButtonTab* secondTab = container->AddTab(second, "TAB_TWO");
    AddButton(*first, 10, 100, 100, 130, &firstClicks);
    AddButton(*second, 10, 100, 100, 130, &secondClicks);
    manager.Open(container);
    EXPECT_EQ(container->ActiveTab(), first);

    EXPECT_TRUE(manager.OnLeftClick(20, 110));
    EXPECT_EQ(firstClicks, 1);
    EXPECT_TRUE(manager.OnLeftClick(secondTab->left + 5.0f, 10));
    EXPECT_TRUE(second->active);
    EXPECT_FALSE(first->active);
    EXPECT_TRUE(secondTab->IsSelected());
    EXPECT_FALSE(firstTab->IsSelected());
    EXPECT_TRUE(manager.OnLeftClick(20, 110));
    EXPECT_EQ(firstClicks, 1);
    EXPECT_EQ(secondClicks, 1);

    // Moving the container carries the pages and their buttons.
    container->SetRect(100, 100, 500, 400);
    EXPECT_EQ(second->top, 100 + GUI_TabContainer::kTabHeight);
    EXPECT_TRUE(manager.OnLeftClick(120, 210));
    EXPECT_EQ(secondClicks, 2);
}

TEST_F(GuiTest, CheckBoxFlipsBeforeItsCallbackRuns) {
    GUI_WindowBase window;
    window.SetRect(0, 0, 300, 100);
    auto* box = new GUI_CheckButton("OPTION_HONEYMOON");
    box->SetRect(10, 10, 210, 34);
    bool seen = false;
    box->SetCallback([&seen, box](void*) { seen = box->IsTicked(); });
    window.AddChild(box);

    EXPECT_TRUE(window.OnLeftClick(15, 15));
    EXPECT_TRUE(box->IsTicked());
    EXPECT_TRUE(seen);
    EXPECT_TRUE(window.OnLeftClick(15, 15));
    EXPECT_FALSE(box->IsTicked());
    EXPECT_FALSE(seen);
    box->enabled = false;
    window.OnLeftClick(15, 15);
    EXPECT_FALSE(box->IsTicked());
}

TEST_F(GuiTest, SliderDragClampsAndStoresItsOption) {
    logged.dir.Write("data/options.txt", "[options]\nMUSIC = 0.50\nDIFFICULTY = 0.25\n");
    LoadOptions();
    GUI_WindowBase window;
    window.SetRect(0, 0, 600, 200);
    auto* music = new GUI_SliderControl("Music Volume", kOptionMusic);
    music->SetRect(100, 20, 300, 60);
    int changes = 0;
    music->onChange = [&changes](GUI_SliderControl&) { ++changes; };
    auto* unknown = new GUI_SliderControl("Cynicism", kOptionHoneymoon);
    unknown->SetRect(100, 100, 300, 140);
    window.AddChild(music);
    window.AddChild(unknown);
    EXPECT_FLOAT_EQ(music->Value(), 0.5f);

    // A press beside the knob does not start a drag.
    Press(120, 50);
    window.Update();
    EXPECT_FALSE(music->IsDragging());
    Release(120, 50);
    window.Update();

    Press(music->KnobX(), 50);
    window.Update();
    ASSERT_TRUE(music->IsDragging());
    MouseAt(900, 10);
    GetInput().leftDown = true;
    window.Update();
    EXPECT_FLOAT_EQ(music->Value(), 1.0f);
    EXPECT_EQ(GetOptionsTable().GetString(kOptionMusic), "1.00");
    MouseAt(-50, 10);
    GetInput().leftDown = true;
    window.Update();
    EXPECT_FLOAT_EQ(music->Value(), 0.0f);
    EXPECT_EQ(GetOptionsTable().GetString(kOptionMusic), "0.00");
    EXPECT_EQ(changes, 2);
    Release(-50, 10);
    window.Update();
    EXPECT_FALSE(music->IsDragging());
    MouseAt(250, 50);
    window.Update();
    EXPECT_FLOAT_EQ(music->Value(), 0.0f);

    // A key the options file lacks moves the slider but adds nothing to the table.
    Press(unknown->KnobX(), 130);
    window.Update();
    MouseAt(200, 130);
    GetInput().leftDown = true;
    window.Update();
    EXPECT_FLOAT_EQ(unknown->Value(), 0.5f);
    EXPECT_FALSE(GetOptionsTable().HasKey(kOptionHoneymoon));
    EXPECT_FLOAT_EQ(GetOption(kOptionDifficulty), 0.25f);
}

TEST_F(GuiTest, DeferredCallbacksAndClosingRunAfterTheFrame) {
    GUI_WindowManager manager;
    auto owned = std::make_unique<GUI_Dialog>("TITLE");
    GUI_Dialog* dialog = owned.get();
    dialog->SetRect(100, 100, 400, 300);
    dialog->closeButton->deferred = true;
    int closes = 0;
    dialog->closeButton->SetCallback([&closes](void*) { ++closes; });
    int later = 0;
    GUI_ButtonText* deferred = AddButton(*dialog, 120, 200, 220, 230, &later);
    deferred->deferred = true;
    manager.OpenModalOwned(std::move(owned));

    EXPECT_TRUE(manager.OnLeftClick(130, 210));
    EXPECT_EQ(later, 0);
    EXPECT_TRUE(
        manager.OnLeftClick(dialog->closeButton->left + 1.0f, dialog->closeButton->top + 1.0f));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(manager.IsOpen(dialog));
    FinishInterfaceFrame();
    EXPECT_EQ(later, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(manager.IsOpen(dialog));
    EXPECT_EQ(manager.ModalCount(), 0);
    EXPECT_EQ(RunDeferredCalls(), 0);
}

TEST_F(GuiTest, ListBoxAndTextFieldTakeTheirInput) {
    GUI_WindowBase window;
    window.SetRect(0, 0, 600, 400);
    auto* list = new GUI_ListBox();
    list->SetRect(10, 10, 210, 10 + 4 * 2 + 22 * 3);
    int changes = 0;
    list->onSelectionChanged = [&changes](GUI_ListBox&) { ++changes; };
    for (const char* name : {"first", "second", "third", "fourth", "fifth"})
        list->AddEntry(name, name);
    window.AddChild(list);
    EXPECT_EQ(list->VisibleRows(), 3);
    EXPECT_TRUE(list->NeedsScrolling());

    EXPECT_TRUE(window.OnLeftClick(20, 14 + 22 + 5));
    EXPECT_EQ(list->Selected(), 1);
    EXPECT_TRUE(window.OnLeftClick(20, 14 + 22 + 5));
    EXPECT_EQ(changes, 1);
    // The strip's lower half scrolls down; never past the last row.
    for (int i = 0; i < 5; ++i)
        window.OnLeftClick(205, 70);
    EXPECT_EQ(list->ScrollOffset(), 2);
    window.OnLeftClick(20, 14 + 5);
    EXPECT_EQ(list->SelectedEntry()->tag, "third");
    EXPECT_TRUE(list->SelectText("first"));
    EXPECT_EQ(list->ScrollOffset(), 0);
    EXPECT_FALSE(list->SelectText("sixth"));
    EXPECT_EQ(list->Selected(), 0);
    // The wheel scrolls the list under the mouse, once, and no other.
    MouseAt(500, 300);
    GetInput().wheel = -1;
    window.Update();
    EXPECT_EQ(list->ScrollOffset(), 0);
    MouseAt(20, 30);
    GetInput().wheel = -5;
    window.Update();
    EXPECT_EQ(list->ScrollOffset(), 2);
    EXPECT_EQ(GetInput().wheel, 0);

    auto* field = new GUI_TextField(8);
    field->SetRect(10, 200, 300, 230);
    field->SetText("Autosave");
    int entered = 0;
    field->SetCallback([&entered](void*) { ++entered; });
    window.AddChild(field);
    MouseAt(500, 500);
    GetInput().keysPressed = {KeyCode::Backspace, KeyCode::Backspace};
    window.Update();
    EXPECT_EQ(field->Text(), "Autosa");
    MouseAt(500, 500);
    GetInput().typedText = "ved\t game";
    GetInput().keysPressed = {KeyCode::Enter};
    window.Update();
    EXPECT_EQ(field->Text(), "Autosave");
    EXPECT_EQ(entered, 1);

    // Typed text is UTF-8: the limit counts characters, and Backspace takes a whole one.
    field->SetText("Caf");
    field->Type("\xC3\xA9 cr\xC3\xA8me!");
    EXPECT_EQ(field->Text(), "Caf\xC3\xA9 cr\xC3\xA8");
    field->Backspace();
    EXPECT_EQ(field->Text(), "Caf\xC3\xA9 cr");
    field->SetText("\xE2\x82\xAC");
    field->Backspace();
    EXPECT_EQ(field->Text(), "");
}
