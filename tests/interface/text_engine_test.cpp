#include "interface/widgets/formatted_text.h"
#include "interface/widgets/text_engine.h"
#include "platform/recording_render_device.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string WidthFile(const std::vector<int32_t>& widths) {
    std::string bytes;
    for (int32_t w : widths)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((w >> shift) & 0xFF);
    return bytes;
}

int GlyphOf(uint32_t c) {
    return TextEngine::GlyphIndex(c);
}

// A 16-point font in 24-pixel cells on a 384 x 384 sheet of 16 by 16: letters 10 wide except for
// a few chosen to make the rules visible.
class TextEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRenderDevice(&device);
        device.RegisterTexture("arial16.dds", 384, 384);
        std::vector<int32_t> widths(256, 10);
        widths[GlyphOf('f')] = 6;
        widths[GlyphOf('o')] = 9;
        widths[GlyphOf(0xA3)] = 5; // pound
        widths[GlyphOf('%')] = 7;
        widths[GlyphOf(0x20AC)] = 11; // euro
        widths[GlyphOf(0xE9)] = 8;    // e acute
        log.dir.Write("data/fonts/arial16.dds.dat", WidthFile(widths));
        engine.AddFont("data/fonts/arial16.dds.dat", "arial16.dds", 16, 24, 16, 16);
        engine.AddKerning("arial16.dds", 'f', 'o', -1);
        engine.AddKerning("arial16.dds", 'f', 'f', -2);
        engine.SetFont("arial16.dds", 16);
    }
    void TearDown() override { SetRenderDevice(nullptr); }

    // Left edges of the glyph quads of the recorded draws, in order.
    std::vector<float> GlyphLefts() const {
        std::vector<float> lefts;
        for (const auto& call : device.quadCalls)
            for (size_t i = 0; i < call.vertices.size(); i += 4)
                lefts.push_back(call.vertices[i].x);
        return lefts;
    }
    size_t GlyphCount() const { return GlyphLefts().size(); }

    LoggedTest log;
    RecordingRenderDevice device;
    TextEngine engine;
};

TEST_F(TextEngineTest, AdvancesFollowSizeGlyphMapAndFixedWidth) {
    EXPECT_EQ(engine.TextWidth(" "), 4);
    // Every character in a cell of its own: the percent, tilde and closing brace no longer
    // share theirs with the currency signs.
    EXPECT_EQ(engine.TextWidth("%"), 7);
    EXPECT_EQ(engine.TextWidth("~"), 10);
    EXPECT_EQ(engine.TextWidth("}"), 10);
    EXPECT_EQ(engine.TextWidth("\xC2\xA3"), 5);
    EXPECT_EQ(engine.TextWidth("\xE2\x82\xAC"), 11);
    // A lone byte of the old one-byte text (a currency sign in an older save) still reads.
    EXPECT_EQ(engine.TextWidth("\xA3"), 5);
    EXPECT_EQ(engine.TextWidth("\x80"), 11);
    // Kerning is a drawing matter: measuring ignores it.
    EXPECT_EQ(engine.TextWidth("fo"), 15);

    engine.SetFont("arial16.dds", 32);
    EXPECT_EQ(engine.TextWidth("o o"), 18 + 8 + 18);
    engine.SetFont("arial16.dds", 12);
    EXPECT_EQ(engine.TextWidth("oo"), 13); // 6.75 twice, truncated once at the end

    engine.SetFont("arial16.dds", 16);
    engine.SetFixedWidth(true);
    EXPECT_EQ(engine.TextWidth("fo "), 12 + 12 + 4);
}

TEST_F(TextEngineTest, KerningPullsPairsTogetherAtNativeSizeWithPointSampling) {
    engine.DrawLine("fo", 100, 50, 0xFFFFFFFF);
    engine.DrawLine("ff", 100, 80, 0xFFFFFFFF);
    engine.DrawLine("of", 100, 110, 0xFFFFFFFF);
    engine.Flush();
    ASSERT_EQ(device.quadCalls.size(), 1u);
    EXPECT_TRUE(device.quadCalls[0].pointSampling);
    EXPECT_EQ(GlyphLefts(), (std::vector<float>{100, 105, 100, 104, 100, 109}));
    // A quad is one whole cell at the native size, textured from the glyph's cell.
    const QuadVertex* o = &device.quadCalls[0].vertices[4];
    EXPECT_FLOAT_EQ(o[2].x - o[0].x, 24);
    EXPECT_FLOAT_EQ(o[0].u, (GlyphOf('o') % 16) / 16.0f);
    EXPECT_FLOAT_EQ(o[2].v, (GlyphOf('o') / 16 + 1) / 16.0f);

    device.Clear();
    engine.SetFont("arial16.dds", 32);
    engine.DrawLine("o", 0, 0, 0xFFFFFFFF);
    engine.Flush();
    ASSERT_EQ(device.quadCalls.size(), 1u);
    EXPECT_FALSE(device.quadCalls[0].pointSampling);
    EXPECT_FLOAT_EQ(device.quadCalls[0].vertices[2].x, 48);
}

TEST_F(TextEngineTest, SplitLineBreaksAtTheLastBlankOnceTheWidthIsReached) {
    struct Case {
        const char* text;
        int width;
        const char* line;
        const char* rest;
    };
    // Letters are 10 wide and the blank 4 (the "a" glyph is 10).
    const Case cases[] = {
        {"aa bb", 100, "aa bb", ""},        {"aa bb cc", 60, "aa bb", "cc"},
        {"aa bb", 44, "aa", "bb"},  // reaching the width is enough
        {"aa bb", 45, "aa bb", ""}, // one pixel more and it fits
        {"aa bb", 24, "aa", "bb"},  // the blank itself reaches the width
        {"abcdef gh", 30, "", "abcdef gh"}, {"", 10, "", ""},
    };
    for (const Case& c : cases) {
        auto [line, rest] = engine.SplitLine(c.text, c.width);
        EXPECT_EQ(line, c.line) << c.text << " in " << c.width;
        EXPECT_EQ(rest, c.rest) << c.text << " in " << c.width;
    }
}

TEST_F(TextEngineTest, DrawWrappedLimitsAndLineSteps) {
    EXPECT_FLOAT_EQ(engine.DrawWrapped("aa bb cc", 0, 10, 60, 0xFFFFFFFF), 42);
    EXPECT_FLOAT_EQ(engine.DrawWrapped("x", 0, 10, 60, 0xFFFFFFFF), 10);
    engine.Flush();
    EXPECT_EQ(GlyphCount(), 6u);

    // A word wider than the column still shows, on its own line.
    device.Clear();
    EXPECT_FLOAT_EQ(engine.DrawWrapped("abcdef gh", 0, 0, 30, 0xFFFFFFFF), 32);
    engine.Flush();
    EXPECT_EQ(GlyphCount(), 8u);

    std::string text;
    while (text.size() < 2047)
        text += "a ";
    text.resize(2047);
    device.Clear();
    engine.DrawWrapped(text, 0, 0, 400, 0xFFFFFFFF);
    engine.Flush();
    EXPECT_EQ(GlyphCount(), 1024u);
    EXPECT_EQ(log.LogText().find("Text too long"), std::string::npos);

    device.Clear();
    EXPECT_FLOAT_EQ(engine.DrawWrapped(text + "a", 0, 5, 400, 0xFFFFFFFF), 5);
    engine.Flush();
    EXPECT_TRUE(device.quadCalls.empty());
    EXPECT_NE(log.LogText().find("Text too long in one chunk (max 2048)"), std::string::npos);
}

TEST_F(TextEngineTest, BatchFlushesWhenFullAndStopsAnOverlongLine) {
    const std::string thousand(1000, 'a');
    engine.DrawLine(thousand, 0, 0, 0xFFFFFFFF);
    engine.DrawLine(thousand, 0, 20, 0xFFFFFFFF);
    EXPECT_TRUE(device.quadCalls.empty()); // exactly 8000 vertices still fit
    engine.DrawLine("a", 0, 40, 0xFFFFFFFF);
    ASSERT_EQ(device.quadCalls.size(), 1u);
    EXPECT_EQ(device.quadCalls[0].vertices.size(), 8000u);

    engine.Flush();
    device.Clear();
    engine.DrawLine(std::string(2100, 'a'), 0, 0, 0xFFFFFFFF);
    engine.Flush();
    EXPECT_EQ(GlyphCount(), 2000u);
    EXPECT_NE(log.LogText().find("ERROR - Text exceeds max characters"), std::string::npos);
}

TEST_F(TextEngineTest, FailuresAreLoggedAndChangeNothing) {
    engine.SetFont("nosuch.dds", 30);
    EXPECT_EQ(engine.CurrentFont()->name, "arial16.dds");
    EXPECT_EQ(engine.CurrentSize(), 16);
    EXPECT_NE(log.LogText().find("missing font: nosuch.dds"), std::string::npos);

    TextEngine bare;
    EXPECT_EQ(bare.TextWidth("abc"), 0);
    bare.DrawLine("abc", 0, 0, 0xFFFFFFFF);
    bare.Flush();
    EXPECT_TRUE(device.quadCalls.empty());
    std::string text = log.LogText();
    EXPECT_NE(text.find("Text Not Initialised"), std::string::npos);
    EXPECT_NE(text.find("TextNotInitialised"), std::string::npos);
}

TEST_F(TextEngineTest, MissingWidthFileIsMeasuredFromTheSheetAndWritten) {
    // A 40 x 40 sheet of 4-pixel cells: glyph 0 inked in its first two columns, glyph 1 in all
    // four, the rest blank.
    std::vector<Argb> pixels(40 * 40, 0x00FFFFFF);
    for (int y = 0; y < 4; ++y) {
        pixels[y * 40 + 0] = pixels[y * 40 + 1] = 0xFFFFFFFF;
        for (int x = 4; x < 8; ++x)
            pixels[y * 40 + x] = 0xFFFFFFFF;
    }
    device.RegisterTexture("tiny4.dds", 40, 40, pixels);
    engine.AddFont("data/fonts/tiny4.dds.dat", "tiny4.dds", 4, 4, 10, 10);
    engine.SetFont("tiny4.dds", 4);

    EXPECT_EQ(engine.TextWidth("!"), 3);  // two inked columns and one of air
    EXPECT_EQ(engine.TextWidth("\""), 4); // never wider than its cell
    EXPECT_EQ(log.dir.Read("data/fonts/tiny4.dds.dat").size(), 400u);
    EXPECT_NE(log.LogText().find("Width of char 1 is 4"), std::string::npos);
}

TEST_F(TextEngineTest, AccentedTextIsMeasuredSplitAndDrawnFromItsOwnCells) {
    const std::string name = "Caf\xC3\xA9 cr\xC3\xA8me";
    // Letters of 10 except the f (6) and the e acute (8), and one blank.
    EXPECT_EQ(engine.TextWidth(name), 7 * 10 + 6 + 8 + 4);
    engine.DrawLine(name, 0, 0, 0xFFFFFFFF);
    engine.Flush();
    ASSERT_EQ(device.quadCalls.size(), 1u);
    const std::vector<QuadVertex>& v = device.quadCalls[0].vertices;
    ASSERT_EQ(v.size(), 9u * 4);
    const int acute = GlyphOf(0xE9), grave = GlyphOf(0xE8);
    ASSERT_GE(acute, 0);
    ASSERT_GE(grave, 0);
    EXPECT_NE(acute, grave);
    EXPECT_FLOAT_EQ(v[12].u, (acute % 16) / 16.0f);
    EXPECT_FLOAT_EQ(v[12].v, (acute / 16) / 16.0f);
    EXPECT_FLOAT_EQ(v[12].x, 26);
    EXPECT_FLOAT_EQ(v[16].x, 26 + 8 + 4); // the c after the blank
    EXPECT_FLOAT_EQ(v[24].u, (grave % 16) / 16.0f);

    // Lines break between characters, never inside one.
    auto [line, rest] = engine.SplitLine(name, 50);
    EXPECT_EQ(line, "Caf\xC3\xA9");
    EXPECT_EQ(rest, "cr\xC3\xA8me");
    // A text of one character draws nothing, however many bytes it takes.
    device.Clear();
    engine.DrawWrapped("\xC3\xA9", 0, 0, 100, 0xFFFFFFFF);
    engine.Flush();
    EXPECT_TRUE(device.quadCalls.empty());
    // The no-break space advances as a blank and draws nothing.
    EXPECT_EQ(engine.TextWidth("a\xC2\xA0"
                               "a"),
              24);
}

TEST(TextEngineCharacters, TheFontsDrawLatin1TheEuroAndTypographicQuotesAndNothingElse) {
    for (const char* drawable :
         {"Caf\xC3\xA9 cr\xC3\xA8me", "\xC3\x85ngstr\xC3\xB6m \xC3\x9F \xC3\xBF \xC2\xA1",
          "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x94 \xE2\x80\x93 \xE2\x80\x98s\xE2\x80\x99",
          "\xE2\x82\xAC 5 \xC2\xA3 3 \xE2\x80\xA6", "100% {braces} ~"})
        EXPECT_TRUE(TextEngine::CanDrawText(drawable)) << drawable;
    for (const char* refused :
         {"arrow \xE2\x86\x92",
          "\xC5\x81\xC3\xB3"
          "d\xC5\xBA",
          "smile \xF0\x9F\x98\x80", "tab\there", "caf\xE9", "cut \xC3", "overlong \xC0\xAF"})
        EXPECT_FALSE(TextEngine::CanDrawText(refused)) << refused;
    // Every character has a cell of its own.
    std::vector<int> seen(256, 0);
    for (uint32_t c = 0; c < 0x2100; ++c) {
        const int cell = TextEngine::GlyphIndex(c);
        if (cell >= 0) {
            EXPECT_EQ(++seen[static_cast<size_t>(cell)], 1) << "U+" << std::hex << c;
        }
    }
}

TEST_F(TextEngineTest, FormattedTextColourAndLineBreak) {
    FormattedText text("<COLOR=255,0,0,255>Red<BR>text");
    float height = text.Draw(10, 20, engine);
    engine.Flush();
    ASSERT_EQ(device.quadCalls.size(), 1u);
    const auto& v = device.quadCalls[0].vertices;
    ASSERT_EQ(v.size(), 7u * 4);
    for (const QuadVertex& vertex : v)
        EXPECT_EQ(vertex.colour, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(v[0].x, 10);
    EXPECT_FLOAT_EQ(v[0].y, 20);
    EXPECT_FLOAT_EQ(v[12].x, 10);
    EXPECT_FLOAT_EQ(v[12].y, 36);
    EXPECT_FLOAT_EQ(height, 32);
}

TEST_F(TextEngineTest, FormattedTextContinuesChunksAndWrapsAtTheWrapWidth) {
    FormattedText text("<wrap = 60>aa <color=0,0,255,128>bb cc<HR>dd <FONTNAME=Arial16.dds>");
    const auto& chunks = text.Chunks().Chunks();
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[1].colour, 0x800000FFu);
    EXPECT_EQ(chunks[2].kind, ChunkKind::Rule);
    EXPECT_EQ(chunks[3].text, "dd ");

    float height = text.Draw(0, 0, engine);
    engine.Flush();
    // "aa bb" on the first line (the second chunk carries on after the first), "cc" wrapped,
    // then the rule and "dd".
    std::vector<float> lefts = GlyphLefts();
    EXPECT_EQ(lefts, (std::vector<float>{0, 10, 24, 34, 0, 10, 0, 10}));
    const auto& v = device.quadCalls[0].vertices;
    EXPECT_FLOAT_EQ(v[4 * 4].y, 16);
    EXPECT_FLOAT_EQ(v[6 * 4].y, 48);
    EXPECT_EQ(device.lineCount, 1);
    EXPECT_FLOAT_EQ(height, 64);
}

} // namespace
