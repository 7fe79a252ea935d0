#include "base/debug_log.h"
#include "platform/image_file.h"
#include "platform/input_replay.h"
#include "platform/sdl_audio_device.h"
#include "platform/sdl_display.h"
#include "platform/sdl_input.h"
#include "platform/silent_audio_device.h"
#include "test_helpers.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
void PutLe32(std::string& bytes, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An uncompressed 32-bit DDS with alpha, laid out as the asset generator writes interface
// textures; pixels are 0xAARRGGBB, top row first.
std::string DdsFile(int width, int height, const std::vector<Argb>& pixels) {
    std::string b = "DDS ";
    PutLe32(b, 124);
    PutLe32(b, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000);
    PutLe32(b, height);
    PutLe32(b, width);
    PutLe32(b, width * 4);
    for (int i = 0; i < 13; ++i)
        PutLe32(b, 0);
    PutLe32(b, 32);
    PutLe32(b, 0x41);
    PutLe32(b, 0);
    PutLe32(b, 32);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        PutLe32(b, mask);
    PutLe32(b, 0x1000);
    for (int i = 0; i < 4; ++i)
        PutLe32(b, 0);
    for (Argb p : pixels)
        PutLe32(b, p);
    return b;
}

// Red, green / blue, white; the red is half transparent.
const std::vector<Argb> kQuarters = {0x80FF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

::testing::AssertionResult Near(Argb actual, Argb expected, int tolerance = 3) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure()
                   << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

class DisplayTest : public ::testing::Test {
protected:
    void TearDown() override {
        display.ReleaseTextures();
        display.Close();
    }
    LoggedTest logged;
    SdlDisplay display;

    // Ends the frame and reads back what the screen shows.
    ::testing::AssertionResult Shoot(ImagePixels& image) {
        display.EndFrame();
        display.Present();
        const std::string shot = logged.dir.Path() + "/shot.png";
        if (!display.SaveScreenshot(shot))
            return ::testing::AssertionFailure() << "no screenshot: " << display.Error();
        if (!LoadImageFile(shot, image))
            return ::testing::AssertionFailure() << "the screenshot does not read back";
        return ::testing::AssertionSuccess();
    }
};
} // namespace

TEST(Letterbox, KeepsTheAspectCentredAndSamplesCrisplyOnlyAtWholeScales) {
    const Letterbox wide = ComputeLetterbox(1920, 1080, 1024, 768);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_FALSE(wide.wholeScale);
    const Letterbox tall = ComputeLetterbox(2048, 1600, 1024, 768);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 32);
    EXPECT_EQ(tall.height, 1536);
    EXPECT_TRUE(tall.wholeScale);

    struct Case {
        int desktopW, desktopH, expectW, expectH;
    };
    for (const Case& c : {Case{3840, 2160, 2048, 1536}, Case{2560, 1440, 1536, 1152},
                          Case{1920, 1080, 1024, 768}, Case{1280, 800, 960, 720}}) {
        int w = 0, h = 0;
        ChooseWindowSize(c.desktopW, c.desktopH, 1024, 768, w, h);
        EXPECT_EQ(w, c.expectW) << c.desktopW << "x" << c.desktopH;
        EXPECT_EQ(h, c.expectH) << c.desktopW << "x" << c.desktopH;
    }
}

TEST_F(DisplayTest, TexturesAreFoundByFileNameAndModsReplaceThem) {
    logged.dir.Write("data/bitmaps/ui/button.dds", DdsFile(2, 2, kQuarters));
    logged.dir.Write("data/bitmaps/broken.png", "not a picture");
    logged.dir.Write("mods/bitmaps/deep/er/BUTTON.DDS", DdsFile(1, 1, {0xFF123456}));
    ASSERT_TRUE(display.Open("test", 64, 48, true)) << display.Error();

    EXPECT_EQ(display.LoadTexturesFrom("data/bitmaps"), 1);
    const TextureId button = display.FindTexture("button.dds");
    ASSERT_NE(button, kNoTexture);
    std::vector<Argb> pixels;
    int w = 0, h = 0;
    // The DDS keeps its alpha and its rows come out top first.
    ASSERT_TRUE(display.ReadTexturePixels(button, pixels, w, h));
    EXPECT_EQ(pixels, kQuarters);
    EXPECT_EQ(display.FindTexture("broken.png"), kNoTexture);

    EXPECT_EQ(display.LoadTexturesFrom("mods/bitmaps"), 1);
    EXPECT_EQ(display.FindTexture("data/bitmaps/Button.dds"), button);
    EXPECT_EQ(display.TextureWidth(button), 1);
    ASSERT_TRUE(display.ReadTexturePixels(button, pixels, w, h));
    EXPECT_EQ(pixels, std::vector<Argb>{0xFF123456});

    EXPECT_EQ(display.FindTexture("nothing.dds"), kNoTexture);
    EXPECT_EQ(display.FindTexture("nothing.dds"), kNoTexture);
    const std::string log = logged.LogText();
    const size_t first = log.find("Missing texture: nothing.dds");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Missing texture: nothing.dds", first + 1), std::string::npos);
}

TEST_F(DisplayTest, PicturesDrawnForTheInterfaceSizeStandInUnlessAModReplacedTheNormalOne) {
    EXPECT_EQ(ScaledPictureFileName("button.dds", 150), "button_150.dds");
    EXPECT_EQ(ScaledPictureFileName("gui_listbox.bmp", 200), "gui_listbox_200.bmp");
    EXPECT_EQ(ScaledPictureFileName("button.dds", 100), "button.dds");

    logged.dir.Write("data/bitmaps/ui/button.dds", DdsFile(1, 1, {0xFF000001}));
    logged.dir.Write("data/bitmaps/ui/button_200.dds", DdsFile(2, 2, std::vector<Argb>(4)));
    logged.dir.Write("data/bitmaps/ui/frame.dds", DdsFile(1, 1, {0xFF000002}));
    logged.dir.Write("data/bitmaps/ui/frame_200.dds", DdsFile(2, 2, std::vector<Argb>(4)));
    logged.dir.Write("data/bitmaps/ui/knob.dds", DdsFile(1, 1, {0xFF000003}));
    logged.dir.Write("data/bitmaps/ui/knob_200.dds", DdsFile(2, 2, std::vector<Argb>(4)));
    // The mod replaces the frame at one size only, and the knob at both.
    logged.dir.Write("mods/bitmaps/frame.dds", DdsFile(1, 1, {0xFF0000AA}));
    logged.dir.Write("mods/bitmaps/knob.dds", DdsFile(1, 1, {0xFF0000BB}));
    logged.dir.Write("mods/bitmaps/knob_200.dds", DdsFile(2, 2, std::vector<Argb>(4, 0xFF0000BB)));
    ASSERT_TRUE(display.Open("test", 64, 48, true)) << display.Error();
    display.SetPictureScale(200);
    ASSERT_EQ(display.LoadTexturesFrom("data/bitmaps"), 6);
    const TextureId button = display.FindTexture("button.dds");
    const TextureId frame = display.FindTexture("frame.dds");
    const TextureId knob = display.FindTexture("knob.dds");
    EXPECT_EQ(display.DrawnTexture(button), display.FindTexture("button_200.dds"));
    EXPECT_EQ(display.DrawnTexture(frame), display.FindTexture("frame_200.dds"));

    ASSERT_EQ(display.LoadTexturesFrom("mods/bitmaps"), 3);
    // The stale larger frame would show the old picture: the mod's own is stretched instead.
    EXPECT_EQ(display.DrawnTexture(frame), frame);
    EXPECT_EQ(display.DrawnTexture(knob), display.FindTexture("knob_200.dds"));
    std::vector<Argb> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(display.ReadTexturePixels(display.DrawnTexture(knob), pixels, w, h));
    EXPECT_EQ(pixels, std::vector<Argb>(4, 0xFF0000BB));
    EXPECT_EQ(display.DrawnTexture(button), display.FindTexture("button_200.dds"));

    // No set for 1.5x, and at 1x the normal pictures themselves.
    display.SetPictureScale(150);
    EXPECT_EQ(display.DrawnTexture(button), button);
    display.SetPictureScale(100);
    EXPECT_EQ(display.DrawnTexture(knob), knob);
    EXPECT_EQ(display.DrawnTexture(kNoTexture), kNoTexture);

    // The id a screen kept keeps working when the size changes: it is resolved at each draw.
    display.SetPictureScale(200);
    EXPECT_EQ(display.DrawnTexture(button), display.FindTexture("button_200.dds"));
}

TEST_F(DisplayTest, MouseMapsToGamePixelsThroughTheLetterbox) {
    // Full screen fills the desktop, whose shape differs from the game's 5:3.
    ASSERT_TRUE(display.Open("test", 100, 60, false)) << display.Error();
    display.BeginFrame();
    display.EndFrame();
    int w = 0, h = 0;
    SDL_GetWindowSize(display.Window(), &w, &h);
    float left = 0, top = 0, right = 0, bottom = 0;
    display.GameToWindow(0, 0, left, top);
    display.GameToWindow(100, 60, right, bottom);
    // Centred, aspect kept, touching two opposite edges.
    EXPECT_NEAR(left, w - right, 1.0);
    EXPECT_NEAR(top, h - bottom, 1.0);
    EXPECT_NEAR((right - left) / (bottom - top), 100.0 / 60.0, 0.02);
    EXPECT_TRUE(std::fabs(left) < 0.5 || std::fabs(top) < 0.5);
    for (float x : {0.f, 17.5f, 99.f}) {
        float wx = 0, wy = 0, gx = 0, gy = 0;
        display.GameToWindow(x, x / 2, wx, wy);
        display.WindowToGame(wx, wy, gx, gy);
        EXPECT_NEAR(gx, x, 0.01);
        EXPECT_NEAR(gy, x / 2, 0.01);
    }
    display.WindowToGame(w / 2.f, h / 2.f, left, top);
    EXPECT_NEAR(left, 50, 0.2);
    EXPECT_NEAR(top, 30, 0.2);
}

TEST_F(DisplayTest, DrawsSpritesQuadsAndRectanglesIntoTheScreenshot) {
    logged.dir.Write("data/bitmaps/quarters.dds", DdsFile(2, 2, kQuarters));
    logged.dir.Write("data/bitmaps/white.dds", DdsFile(1, 1, {0xFFFFFFFF}));
    ASSERT_TRUE(display.Open("test", 64, 48, true)) << display.Error();
    display.LoadTexturesFrom("data/bitmaps");
    const TextureId quarters = display.FindTexture("quarters.dds");
    const TextureId white = display.FindTexture("white.dds");

    // The window and full-screen switch restarts the display from a key press, mid-frame: the
    // textures come back under the same ids and the frame goes on into the game picture.
    display.BeginFrame();
    display.Close();
    ASSERT_TRUE(display.Open("test", 64, 48, false)) << display.Error();
    display.RestoreTextures();
    // Text-style quads at native size: each texel becomes an 8 x 8 block.
    QuadVertex q[8];
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        q[i] = {corners[i][0] * 16, corners[i][1] * 16, 0xFFFFFFFF, corners[i][0], corners[i][1]};
        q[4 + i] = {16 + corners[i][0] * 8, corners[i][1] * 8, 0xFF00FF00, corners[i][0],
                    corners[i][1]};
    }
    display.DrawQuads(quarters, q, 4, true);
    display.DrawQuads(white, q + 4, 4, true);
    // Half a turn about its centre swaps the quarters diagonally.
    SpriteDraw turned;
    turned.left = 32;
    turned.top = 0;
    turned.right = 48;
    turned.bottom = 16;
    turned.rotationDegrees = 180;
    display.DrawSprite(quarters, turned);
    display.FillRect(0, 24, 8, 32, 0x80FFFFFF);
    display.FillRect(16, 24, 24, 32, 0xFF0000FF);
    SpriteDraw added;
    added.left = 16;
    added.top = 24;
    added.right = 24;
    added.bottom = 32;
    added.colour = 0xFFFF0000;
    added.blend = BlendMode::Additive;
    display.DrawSprite(white, added);
    display.DrawSprite(kNoTexture, added);

    ImagePixels image;
    ASSERT_TRUE(Shoot(image));
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 48);
    auto at = [&](int x, int y) { return image.pixels[y * 64 + x]; };
    EXPECT_TRUE(Near(at(4, 4), 0xFF800000));   // half-transparent red over black
    EXPECT_TRUE(Near(at(12, 4), 0xFF00FF00));  // green
    EXPECT_TRUE(Near(at(4, 12), 0xFF0000FF));  // blue
    EXPECT_TRUE(Near(at(12, 12), 0xFFFFFFFF)); // white
    EXPECT_TRUE(Near(at(20, 4), 0xFF00FF00));  // white tinted by the vertex colour
    // The sprite is filtered, so only its outer corners show one texel unmixed.
    EXPECT_TRUE(Near(at(33, 1), 0xFFFFFFFF));
    EXPECT_TRUE(Near(at(46, 14), 0xFF800000));
    EXPECT_TRUE(Near(at(4, 28), 0xFF808080));
    EXPECT_TRUE(Near(at(20, 28), 0xFFFF00FF)); // red added to blue
    EXPECT_TRUE(Near(at(60, 44), 0xFF000000));
}

TEST(InputReplay, PlaysClicksKeysAndTextAtTheirFrames) {
    InputReplay replay;
    ASSERT_TRUE(replay.Parse("; a comment\n\n"
                             "2 move 100 50\n"
                             "3 click 10 20\r\n"
                             "5 key ALT_ENTER\n"
                             "5 key 0x3b\n"
                             "6 text caf\xC3\xA9 \xE2\x82\xAC 5\n"
                             "7 down 1 2\n"
                             "9 up 3 4\n"
                             "12 rclick 7 8\n"
                             "12 wheel -2\n"
                             "12 resize 1920 1080\n",
                             "replay.txt"))
        << replay.Error();
    EXPECT_EQ(replay.LastFrame(), 13);
    InputState s;
    auto frame = [&](int n) {
        s.BeginPoll();
        replay.Apply(n, s);
    };
    frame(2);
    EXPECT_EQ(s.mouseX, 100);
    frame(3);
    EXPECT_TRUE(s.leftPressed && s.leftDown);
    EXPECT_EQ(s.mouseY, 20);
    frame(4);
    EXPECT_TRUE(s.leftReleased && !s.leftDown);
    frame(5);
    EXPECT_TRUE(s.IsKeyDown(KeyCode::LeftAlt));
    EXPECT_EQ(s.keysPressed, (std::vector<int>{KeyCode::LeftAlt, KeyCode::Enter, KeyCode::F1}));
    frame(6);
    EXPECT_FALSE(s.IsKeyDown(KeyCode::LeftAlt));
    EXPECT_TRUE(s.keysPressed.empty());
    // Typed text stays UTF-8, as the text engine and the save names take it.
    EXPECT_EQ(s.typedText, "caf\xC3\xA9 \xE2\x82\xAC 5");
    // Frames the caller skipped are caught up, in order.
    frame(10);
    EXPECT_TRUE(s.leftPressed && s.leftReleased && !s.leftDown);
    EXPECT_EQ(s.mouseX, 3);
    EXPECT_FALSE(replay.Finished());
    frame(12);
    EXPECT_EQ(s.wheel, -2);
    EXPECT_EQ(s.resizeWidth, 1920);
    EXPECT_EQ(s.resizeHeight, 1080);
    frame(13);
    EXPECT_EQ(s.wheel, 0);
    // A resize is asked for once, not every frame after.
    EXPECT_EQ(s.resizeWidth, 0);
    EXPECT_TRUE(s.rightReleased && !s.rightDown);
    EXPECT_TRUE(replay.Finished());
}

TEST(InputReplay, PressesButtonsByNameAndHoldsKeys) {
    InputReplay replay;
    ASSERT_TRUE(replay.Parse("1 hold CONTROL\n1 hold shift\n2 key E\n3 release CONTROL\n"
                             "4 press NextTurnButton\n6 press NoSuchButton\n",
                             "replay.txt"))
        << replay.Error();
    InputState s;
    auto finder = [](const std::string& id, float& x, float& y) {
        x = 40;
        y = 700;
        return id == "NextTurnButton";
    };
    auto frame = [&](int n) {
        s.BeginPoll();
        replay.Apply(n, s, finder);
    };
    frame(2);
    EXPECT_TRUE(s.IsKeyDown(KeyCode::LeftControl) && s.IsKeyDown(KeyCode::LeftShift));
    EXPECT_EQ(s.keysPressed, (std::vector<int>{KeyCode::LeftControl, KeyCode::LeftShift, 0x12}));
    frame(3);
    EXPECT_FALSE(s.IsKeyDown(KeyCode::LeftControl));
    EXPECT_TRUE(s.IsKeyDown(KeyCode::LeftShift));
    frame(4);
    EXPECT_TRUE(s.leftPressed && s.mouseX == 40 && s.mouseY == 700);
    frame(5);
    EXPECT_TRUE(s.leftReleased);
    EXPECT_TRUE(replay.Error().empty());
    // A button the screen does not show: nothing is clicked and the replay says what it missed.
    frame(6);
    EXPECT_FALSE(s.leftPressed);
    EXPECT_NE(replay.Error().find("NoSuchButton"), std::string::npos);
}

TEST(InputReplay, RefusesABadLineNamingFileAndLine) {
    struct Case {
        const char* text;
        const char* where;
    };
    for (const Case& c :
         {Case{"; ok\n1 move 1 2\nx move 1 2\n", "replay.txt line 3"},
          Case{"4 jump 1 2\n", "line 1"}, Case{"4 click 1\n", "line 1"},
          Case{"4 move 1 2 3\n", "line 1"}, Case{"\n\n4 key NOPE\n", "line 3"},
          Case{"4 key\n", "line 1"}, Case{"-1 move 1 2\n", "line 1"}, Case{"4\n", "line 1"},
          Case{"2.5 key A\n", "line 1"}, Case{"4 wheel 1.5\n", "line 1"},
          Case{"4 press\n", "line 1"}, Case{"4 press A B\n", "line 1"},
          Case{"4 hold NOPE\n", "line 1"},
          // Frames past what the replay counts to, found by the fuzzer.
          Case{"5555555555555555555555555555555555555555 key A\n", "line 1"},
          Case{"1e999 key A\n", "line 1"}, Case{"nan key A\n", "line 1"},
          Case{"4 wheel 1e999\n", "line 1"}, Case{"4 wheel nan\n", "line 1"},
          Case{"4 resize 800\n", "line 1"}, Case{"4 resize 0 600\n", "line 1"},
          Case{"4 resize 800.5 600\n", "line 1"}, Case{"4 resize 800 600 1\n", "line 1"},
          Case{"4 resize 99999 600\n", "line 1"}, Case{"4 resize nan 600\n", "line 1"}}) {
        InputReplay replay;
        EXPECT_FALSE(replay.Parse(c.text, "replay.txt")) << c.text;
        EXPECT_NE(replay.Error().find(c.where), std::string::npos) << replay.Error();
        EXPECT_TRUE(replay.Finished());
    }
    InputReplay missing;
    EXPECT_FALSE(missing.Load("/no/such/replay.txt"));
    EXPECT_NE(missing.Error().find("/no/such/replay.txt"), std::string::npos);
}

TEST(Audio, SdlMixerDevicePlaysEffectsAndMusicOnTheDummyDriver) {
    ScratchDir dir;
    // A tenth of a second of 16-bit mono silence.
    std::string wav = "RIFF";
    const uint32_t samples = 4410;
    PutLe32(wav, 36 + samples * 2);
    wav += "WAVEfmt ";
    PutLe32(wav, 16);
    PutLe32(wav, 1 | 1 << 16);
    PutLe32(wav, 44100);
    PutLe32(wav, 44100 * 2);
    PutLe32(wav, 2 | 16 << 16);
    wav += "data";
    PutLe32(wav, samples * 2);
    wav += std::string(samples * 2, '\0');
    const std::string path = dir.Write("click.wav", wav);
    const std::string junk = dir.Write("junk.ogg", "not a sound");

    SdlAudioDevice device;
    ASSERT_EQ(device.CreateSystem(), AudioError::Ok);
    unsigned version = 0;
    device.GetVersion(version);
    EXPECT_GE(version, 0x020000u);
    ASSERT_EQ(device.Init(8), AudioError::Ok) << device.ErrorText(AudioError::NoDevice);

    SoundHandle sound = kNoHandle, stream = kNoHandle, bad = kNoHandle;
    EXPECT_EQ(device.CreateSound(dir.Path() + "/none.wav", bad), AudioError::FileNotFound);
    EXPECT_EQ(device.CreateSound(junk, bad), AudioError::BadFile);
    ASSERT_EQ(device.CreateSound(path, sound), AudioError::Ok);
    ASSERT_EQ(device.CreateStream(path, stream), AudioError::Ok);
    EXPECT_NE(sound, stream);

    ChannelHandle a = kNoHandle, b = kNoHandle, music = kNoHandle;
    ASSERT_EQ(device.Play(sound, a), AudioError::Ok);
    ASSERT_EQ(device.Play(sound, b), AudioError::Ok);
    EXPECT_NE(a, b);
    EXPECT_EQ(device.SetVolume(a, 0.5f), AudioError::Ok);
    EXPECT_EQ(device.SetPan(a, -1), AudioError::Ok);
    EXPECT_EQ(device.SetLoopCount(a, -1), AudioError::Ok);
    EXPECT_EQ(device.SetMute(b, true), AudioError::Ok);
    ASSERT_EQ(device.Play(stream, music), AudioError::Ok);
    EXPECT_EQ(music, SdlAudioDevice::kMusicChannel);
    EXPECT_EQ(device.SetVolume(music, 0.3f), AudioError::Ok);
    EXPECT_EQ(device.SetMasterVolume(0.5f), AudioError::Ok);
    EXPECT_EQ(device.Stop(music), AudioError::Ok);
    EXPECT_EQ(device.Stop(a), AudioError::Ok);
    EXPECT_EQ(device.SetVolume(12345, 1), AudioError::InvalidHandle);
    EXPECT_EQ(device.Play(99, a), AudioError::InvalidHandle);
    device.Close();
    EXPECT_EQ(device.Play(sound, a), AudioError::NoDevice);

    SilentAudioDevice silent;
    ASSERT_EQ(silent.Init(64), AudioError::Ok);
    SoundHandle s1 = kNoHandle, s2 = kNoHandle;
    ChannelHandle c1 = kNoHandle, c2 = kNoHandle;
    silent.CreateSound("data/sounds/a.ogg", s1);
    silent.CreateStream("data/sounds/a.ogg", s2);
    silent.Play(s1, c1);
    silent.Play(s1, c2);
    EXPECT_NE(s1, s2);
    EXPECT_NE(c1, c2);
}

// Text drawn below its sheet's size must keep every row of every glyph: a point-sampled shrink
// drops whole rows, and the crossbar of a "t" goes with them.
TEST_F(DisplayTest, TextDrawnSmallerThanItsSheetKeepsEveryRow) {
    // A diagonal: column c has ink in row c only, so a lost row leaves a column without ink.
    std::vector<Argb> diagonal(16 * 16, 0x00FFFFFF);
    for (int i = 0; i < 16; ++i)
        diagonal[i * 16 + i] = 0xFFFFFFFF;
    logged.dir.Write("data/bitmaps/diagonal.dds", DdsFile(16, 16, diagonal));
    ASSERT_TRUE(display.Open("test", 64, 48, true)) << display.Error();
    display.LoadTexturesFrom("data/bitmaps");
    const TextureId sheet = display.FindTexture("diagonal.dds");

    display.BeginFrame();
    // As the text engine draws a 16-pixel font at 14: whole columns, seven eighths of the rows.
    QuadVertex q[4];
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i)
        q[i] = {8 + corners[i][0] * 16, 8 + corners[i][1] * 14, 0xFFFFFFFF, corners[i][0],
                corners[i][1]};
    display.DrawQuads(sheet, q, 4, false);

    ImagePixels image;
    ASSERT_TRUE(Shoot(image));
    for (int column = 0; column < 16; ++column) {
        int ink = 0;
        for (int y = 0; y < 48; ++y)
            ink = std::max(ink, static_cast<int>(image.pixels[y * 64 + 8 + column] & 0xFF));
        EXPECT_GT(ink, 0x30) << "column " << column << " lost its only row";
    }
}
