// Every shipped encyclopedia page read by the formatted-text parser the details windows use, and
// laid out with the fonts the game registers: a tag the parser does not know or a font the
// engine lacks would otherwise only show up as plain text or a page in the wrong face.

#include "interface/widgets/formatted_text.h"
#include "interface/widgets/text_engine.h"
#include "platform/recording_render_device.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(EncyclopediaLayoutTest, EveryPageParsesAndLaysOutWithTheGameFonts) {
    LoggedTest log;
    RecordingRenderDevice device;
    SetRenderDevice(&device);
    TextEngine engine;
    engine.LoadGameFonts();

    namespace fs = std::filesystem;
    int pages = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(MARROWGATE_SOURCE_DIR) / "data/simulation/encyclopedia")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream page;
        page << in.rdbuf();
        std::string name = entry.path().filename().string();

        FormattedText text(page.str());
        int rules = 0, words = 0;
        for (const LibTextChunk& chunk : text.Chunks().Chunks()) {
            rules += chunk.kind == ChunkKind::Rule;
            if (chunk.kind != ChunkKind::Text)
                continue;
            words += chunk.text.find_first_not_of(" \n") != std::string::npos;
            engine.SetFont(chunk.font, chunk.size);
            ASSERT_NE(engine.CurrentFont(), nullptr);
            EXPECT_EQ(engine.CurrentFont()->name, chunk.font) << name;
        }
        EXPECT_EQ(rules, 1) << name << ": a rule under the title and none after it";
        EXPECT_GT(words, 1) << name << ": a title and a body";

        // Laid out as a details window does, so the log below covers drawing too.
        text.Draw(0, 0, engine);
        ++pages;
    }
    EXPECT_GT(pages, 0);

    std::string logText = log.LogText();
    EXPECT_EQ(logText.find("Unknown text tag"), std::string::npos) << logText;
    EXPECT_EQ(logText.find("missing font"), std::string::npos) << logText;
    SetRenderDevice(nullptr);
}

} // namespace
