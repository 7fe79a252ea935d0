#include "base/game_paths.h"
#include "interface/screens/processing_screen.h"
#include "interface/screens/quotations.h"
#include "interface/widgets/text_engine.h"
#include "platform/recording_render_device.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(QuotationTableTest, ReadsRowsOfBothTablesAndWrapsRound) {
    LoggedTest log;
    ScratchDir user;
    SetUserDir(user.Path());
    log.dir.Write("data/quotes.csv", "Column 2 is the text, column 3 the author\n"
                                     "#,\"First, with a comma\",\"Ann Author\"\r\n"
                                     "#,\"x\",y\n"
                                     "#,\"Second\",\"Ben\"\n"
                                     " #,\"Not a row\",\"Nobody\"\n"
                                     "#,\"Third\",\"Cy\"\n");
    QuotationTable table;
    table.Load();
    ASSERT_EQ(table.Count(), 3);
    int k = table.Index();
    ASSERT_GE(k, 0);
    ASSERT_LT(k, 3);
    std::vector<int> seen;
    for (int turn = 0; turn < 4; ++turn) {
        seen.push_back(table.Index());
        table.Next();
    }
    EXPECT_EQ(seen, (std::vector<int>{k, (k + 1) % 3, (k + 2) % 3, k}));

    while (table.Index() != 0)
        table.Next();
    EXPECT_EQ(table.Current()->text, "First, with a comma");
    EXPECT_EQ(table.Current()->author, "-Ann Author");

    user.Write("mods/data/quotes.csv", "#,\"From a mod\",\"Dee\"\n");
    table.Load();
    ASSERT_EQ(table.Count(), 4);
    while (table.Index() != 3)
        table.Next();
    EXPECT_EQ(table.Current()->author, "-Dee");
    SetUserDir("");

    QuotationTable empty;
    log.dir.Write("data/quotes.csv", "");
    empty.Load();
    empty.Next();
    EXPECT_EQ(empty.Index(), 0);
    EXPECT_EQ(empty.Current(), nullptr);
}

TEST(ProcessingScreenTest, ProgressStepsDrawAFrameEachAndWrapAboveOne) {
    LoggedTest log;
    GUI_ProcessingScreen screen;
    int frames = 0;
    screen.SetFrameCallback([&] { ++frames; });
    const char* steps[] = {"Counting Votes...", "b", "c", "d", "Last step"};
    std::vector<float> after;
    for (const char* step : steps) {
        screen.Progress(step, 0.25f);
        after.push_back(screen.GetProgress());
    }
    EXPECT_EQ(after, (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f, 0.0f}));
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(screen.Status(), "Last step");
    EXPECT_NE(log.LogText().find("Counting Votes..."), std::string::npos);

    screen.Begin();
    EXPECT_EQ(screen.Status(), "Analayzing decisions");
    EXPECT_FLOAT_EQ(screen.GetProgress(), 0.1f);
}

TEST(ProcessingScreenTest, WaitsForTheClickOnlyOnceDone) {
    LoggedTest log;
    GUI_ProcessingScreen screen;
    int continued = 0;
    screen.SetContinueCallback([&] { ++continued; });
    screen.OnLeftClick(10, 10);
    screen.OnKey(0x39);
    EXPECT_EQ(continued, 0);
    screen.Done();
    EXPECT_TRUE(screen.OnLeftClick(10, 10));
    screen.OnLeftClick(10, 10);
    EXPECT_EQ(continued, 1);
    screen.Done();
    screen.OnKey(0x39);
    EXPECT_EQ(continued, 2);
}

TEST(ProcessingScreenTest, DrawsThePictureAndCentresTheStatusAboveTheBottom) {
    LoggedTest log;
    RecordingRenderDevice device;
    device.SetGameSize(800, 600);
    SetRenderDevice(&device);
    TextureId picture = device.RegisterTexture("loadscreen.jpg", 1024, 768);
    device.RegisterTexture("arial16.dds", 240, 240, std::vector<Argb>(240 * 240, 0));
    log.dir.Write("data/fonts/readme.txt", "");
    TextEngine& engine = GetTextEngine();
    engine.Release();
    engine.LoadGameFonts();

    GUI_ProcessingScreen screen;
    screen.Progress("abab", 0.5f);
    screen.Draw();
    engine.Flush();

    ASSERT_FALSE(device.sprites.empty());
    EXPECT_EQ(device.sprites[0].texture, picture);
    EXPECT_FLOAT_EQ(device.sprites[0].sprite.right, 800);
    EXPECT_FLOAT_EQ(device.sprites[0].sprite.bottom, 600);
    // The measured widths of an empty sheet are all a third of a cell: 8 pixels a glyph. The
    // status is the last text drawn.
    ASSERT_FALSE(device.quadCalls.empty());
    const auto& v = device.quadCalls.back().vertices;
    ASSERT_GE(v.size(), 16u);
    const QuadVertex& first = v[v.size() - 16];
    EXPECT_FLOAT_EQ(first.y, 600 - 53);
    EXPECT_FLOAT_EQ(first.x, 400 - 16);

    engine.Release();
    SetRenderDevice(nullptr);
}

} // namespace
