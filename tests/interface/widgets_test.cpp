// The shared widgets of the game's windows: the sortable table, the history graph, the explained
// label, the game window's one-per-name rule, and the screen description tests read.
#include "base/json_writer.h"
#include "interface/ui_dump.h"
#include "interface/widgets/gui_frame_work.h"
#include "interface/widgets/gui_graph.h"
#include "interface/widgets/gui_label.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_screen.h"
#include "interface/windows/game_window.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRenderDevice(&device);
        GetInput() = InputState();
        GUI_Tooltip::ClearMarked();
    }
    void TearDown() override {
        SetGameWindowManager(nullptr);
        RunDeferredCalls();
        GUI_Tooltip::ClearMarked();
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

    // Three rows of a value's causes: name, signed share.
    static std::vector<TableRow> Causes(std::vector<std::string>* clicked) {
        std::vector<TableRow> rows;
        const char* names[] = {"Crime", "Unemployment", "Policing"};
        const float shares[] = {0.12f, -0.30f, 0.12f};
        for (int i = 0; i < 3; ++i) {
            TableRow row;
            row.tag = names[i];
            row.cells = {{names[i], 0, ""}, {std::to_string(shares[i]), shares[i], "why"}};
            std::string name = names[i];
            if (clicked)
                row.onClick = [clicked, name] { clicked->push_back(name); };
            rows.push_back(row);
        }
        return rows;
    }
    static std::vector<std::string> Tags(const GUI_Table& table) {
        std::vector<std::string> tags;
        for (const TableRow& row : table.Rows())
            tags.push_back(row.tag);
        return tags;
    }
    static void Shape(GUI_Table& table) {
        table.SetRect(0, 0, 300, 24 + 22 * 2);
        table.SetColumns({{"Cause", 150, false, ""}, {"Share", 0, true, "Signed share"}});
    }

    RecordingRenderDevice device;
};

TEST_F(WidgetsTest, TableSortsByHeadingClicksKeepingTiesInTheirGivenOrder) {
    GUI_Table table;
    Shape(table);
    table.SetRows(Causes(nullptr));
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Crime", "Unemployment", "Policing"}));

    // A figures column starts with its largest; equal figures keep the order they came in.
    ASSERT_TRUE(table.OnClick(250, 10));
    EXPECT_EQ(table.SortColumn(), 1);
    EXPECT_TRUE(table.SortDescending());
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Crime", "Policing", "Unemployment"}));
    // The same heading turns the order round; ties still keep theirs.
    table.OnClick(250, 10);
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Unemployment", "Crime", "Policing"}));
    // A words column starts from A.
    table.OnClick(20, 10);
    EXPECT_FALSE(table.SortDescending());
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Crime", "Policing", "Unemployment"}));

    // New rows come in under the sort in force; -1 gives them back in their own order.
    table.SetRows(Causes(nullptr));
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Crime", "Policing", "Unemployment"}));
    table.SortBy(-1, false);
    EXPECT_EQ(Tags(table), (std::vector<std::string>{"Crime", "Unemployment", "Policing"}));
}

TEST_F(WidgetsTest, TableRowsRunTheirActionAfterTheFrameAndTheStripScrolls) {
    std::vector<std::string> clicked;
    GUI_Table table;
    Shape(table);
    table.SetRows(Causes(&clicked));
    ASSERT_EQ(table.VisibleRows(), 2);
    // The second shown row, then the strip's lower half, which shows the third row on top.
    ASSERT_TRUE(table.OnClick(20, 24 + 22 + 5));
    EXPECT_TRUE(clicked.empty()) << "the action waits for the end of the frame";
    RunDeferredCalls();
    EXPECT_EQ(clicked, std::vector<std::string>{"Unemployment"});
    table.OnClick(295, 60);
    EXPECT_EQ(table.ScrollOffset(), 1);
    table.OnClick(20, 24 + 5);
    RunDeferredCalls();
    EXPECT_EQ(clicked, (std::vector<std::string>{"Unemployment", "Unemployment"}));
    EXPECT_EQ(table.RowAt(20, 24 + 22 + 5), 2);
    // Below the last row and on the headings there is no row.
    EXPECT_EQ(table.RowAt(20, 10), -1);
}

TEST_F(WidgetsTest, TableTooltipExplainsTheCellUnderTheMouse) {
    GUI_Table table;
    Shape(table);
    table.SetRows(Causes(nullptr));
    MouseAt(250, 24 + 5);
    table.Update();
    ASSERT_NE(table.GetTooltip(), nullptr);
    EXPECT_EQ(table.GetTooltip()->Text(), "why");
    MouseAt(250, 10);
    table.Update();
    EXPECT_EQ(table.GetTooltip()->Text(), "Signed share");
    // A cell with nothing to say shows no tooltip.
    MouseAt(20, 24 + 5);
    table.Update();
    EXPECT_EQ(table.GetTooltip(), nullptr);
}

TEST_F(WidgetsTest, GraphScaleFitsTheFiguresAndTheTooltipNamesThePoint) {
    GUI_Graph graph;
    graph.SetRect(0, 0, 400, 200);
    graph.SetSeries({{"Polls", {0.40f, 0.50f, 0.45f}, 0xFFFFFFFF}});
    float low = 0, high = 0;
    graph.ScaleRange(low, high);
    EXPECT_LT(low, 0.40f);
    EXPECT_GT(high, 0.50f);
    // A flat line still gets a scale around it.
    graph.SetSeries({{"", {0.3f, 0.3f}, 0xFFFFFFFF}});
    graph.ScaleRange(low, high);
    EXPECT_LT(low, 0.3f);
    EXPECT_GT(high, 0.3f);
    graph.SetRange(0, 1);
    graph.ScaleRange(low, high);
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 1.0f);

    // A shorter series lines up with the newest point.
    graph.SetSeries({{"Income", {1, 2, 3}, 0xFFFFFFFF}, {"Debt", {9}, 0xFFFF0000}});
    graph.formatValue = [](float v) { return std::to_string(static_cast<int>(v)); };
    EXPECT_EQ(graph.PointAt(0), 0);
    EXPECT_EQ(graph.PointAt(399), 2);
    MouseAt(399, 100);
    graph.Update();
    EXPECT_EQ(graph.GetTooltip()->Text(), "This turn\nIncome: 3\nDebt: 9");
    MouseAt(graph.left + 64.0f, 100);
    graph.Update();
    EXPECT_EQ(graph.GetTooltip()->Text(), "2 turns ago\nIncome: 1");
    graph.Draw();
    EXPECT_GT(device.lineCount, 8) << "grid, two lines a segment and the hover marker";
}

TEST_F(WidgetsTest, AGameWindowAskedForTwiceComesToTheFront) {
    GUI_WindowScreen screen;
    SetGameWindowManager(&screen.Windows());
    int built = 0;
    auto make = [&built]() {
        ++built;
        return std::make_unique<GUI_GameWindow>("PolicyDetails", "", 300, 200);
    };
    GUI_GameWindow* first = ShowGameWindow("PolicyDetails:IncomeTax", make);
    GUI_GameWindow* other = ShowGameWindow("PolicyDetails:SalesTax", make);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(first->left, other->left) << "a second window steps aside";
    EXPECT_EQ(screen.Windows().Topmost(), other);
    EXPECT_EQ(ShowGameWindow("PolicyDetails:IncomeTax", make), first);
    EXPECT_EQ(built, 2);
    EXPECT_EQ(screen.Windows().Topmost(), first);

    // The description names both, and the label's explanation travels with it.
    first->AddChild(
        new GUI_Label("$ 1.2 Bn", first->left + 20.0f, first->top + 50.0f, "Income tax at 40%"));
    const std::string dump = DescribeScreenJson(7, 6, "Game", &screen);
    EXPECT_NE(dump.find("\"name\": \"PolicyDetails:SalesTax\""), std::string::npos);
    EXPECT_NE(dump.find("\"kind\": \"label\""), std::string::npos);
    EXPECT_NE(dump.find("\"tooltip\": \"Income tax at 40%\""), std::string::npos);
    EXPECT_NE(dump.find("\"frame\": 7"), std::string::npos);

    EXPECT_EQ(CloseGameWindowsOfKind("PolicyDetails"), 2);
    RunDeferredCalls();
    EXPECT_EQ(FindGameWindow("PolicyDetails:IncomeTax"), nullptr);
}

} // namespace
