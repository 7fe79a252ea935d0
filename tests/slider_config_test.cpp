#include "government/slider_config.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

size_t Assertions(const LoggedTest& env) {
    std::string log = env.LogText();
    size_t n = 0;
    for (size_t at = log.find("Assertion failure"); at != std::string::npos;
         at = log.find("Assertion failure", at + 1))
        ++n;
    return n;
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& config : SliderConfigs())
        names.push_back(config->name);
    return names;
}

using Labels = std::vector<std::string>;

} // namespace

TEST(SliderConfig, LabelPicksTheNearestLabel) {
    LoggedTest env;
    // Four labels at 0, 1/3, 2/3 and 1: 0.49 is 1.47 steps, 0.5 is 1.5 and rounds up; dividing
    // by the spacing leaves 0.8333 a hair below the half step, so it rounds down.
    CSliderConfig four("tax", 5, {"none", "low", "high", "max"});
    auto labels = [&four](std::initializer_list<float> levels) {
        std::string got;
        for (float level : levels)
            got += four.Label(level) + " ";
        return got;
    };
    EXPECT_EQ(labels({0.0f, 0.49f, 0.5f, 1.0f, 0.833333313f}), "none low high max high ");
    CSliderConfig eight("eight", 8, {"0", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(eight.Label(0.5f), "3");

    CSliderConfig one("one", 1, {"fixed"});
    EXPECT_EQ(one.Label(0.0f), "fixed");
    EXPECT_EQ(one.Label(1.0f), "fixed");
    CSliderConfig none("none", 3, {});
    EXPECT_EQ(none.Label(0.7f), "not set");
    EXPECT_EQ(Assertions(env), 0u);

    // Out of range is an assertion and the nearest end.
    EXPECT_EQ(labels({1.4f, -0.4f, 1e30f, NAN}), "max none max none ");
    EXPECT_GE(Assertions(env), 4u);
}

TEST(SliderConfig, SnapGoesToTheNearestStep) {
    LoggedTest env;
    CSliderConfig five("five", 5, {});
    EXPECT_FLOAT_EQ(five.Snap(0.3f), 0.25f);
    EXPECT_FLOAT_EQ(five.Snap(0.375f), 0.5f); // exactly half a step goes up
    EXPECT_FLOAT_EQ(five.Snap(0.99f), 1.0f);
    CSliderConfig two("two", 2, {});
    EXPECT_FLOAT_EQ(two.Snap(0.49f), 0.0f);
    EXPECT_FLOAT_EQ(two.Snap(0.5f), 1.0f);
    for (int steps : {1, 0, -3}) {
        CSliderConfig flat("flat", steps, {});
        EXPECT_FLOAT_EQ(flat.Snap(0.37f), 0.37f) << steps;
    }
    EXPECT_EQ(Assertions(env), 0u);

    EXPECT_FLOAT_EQ(five.Snap(1.3f), 1.0f);
    EXPECT_FLOAT_EQ(five.Snap(-0.2f), 0.0f);
    EXPECT_FLOAT_EQ(five.Snap(NAN), 0.0f);
    EXPECT_GE(Assertions(env), 3u);
    CSliderConfig huge("huge", INT_MAX, {});
    EXPECT_NEAR(huge.Snap(0.7f), 0.7f, 1e-6f);
}

TEST(SliderConfig, RowsGiveNameStepsAndLabelsEvenWhenMalformed) {
    LoggedTest env;
    CSliderConfig config("#,tax_rate,5,none,low,,medium,\"high, very\",max\r\n");
    EXPECT_EQ(config.name, "tax_rate");
    EXPECT_EQ(config.steps, 5);
    EXPECT_EQ(config.labels, (Labels{"none", "low", "medium", "high, very", "max"}));
    EXPECT_EQ(CSliderConfig("#,flag,2,off,on,\n").labels, (Labels{"off", "on"}));
    EXPECT_EQ(Assertions(env), 0u);

    CSliderConfig unmarked("#tax,5,a,b\n");
    EXPECT_EQ(Assertions(env), 1u);

    CSliderConfig shortRow("#,lonely");
    EXPECT_EQ(shortRow.name, "lonely");
    EXPECT_EQ(shortRow.steps, 0);
    EXPECT_EQ(shortRow.Label(0.5f), "not set");

    CSliderConfig junk("#,\xff\xfe\x01,\x80\x81,\"unterminated,\x7f");
    EXPECT_EQ(junk.steps, 0);
    EXPECT_EQ(junk.labels, (Labels{"unterminated,\x7f"}));
    EXPECT_EQ(Assertions(env), 1u);
}

TEST(SliderConfig, LoadReadsTheStandardTableThenModsInNameOrder) {
    LoggedTest env;
    std::string user = env.dir.Path() + "/user";
    auto writeMod = [&](const std::string& name, const std::string& text) {
        env.dir.Write("user/mods/data/sliders/" + name, text);
    };
    ReleaseSliderConfigs();
    LoadSliderConfigs(user);
    EXPECT_TRUE(SliderConfigs().empty());

    env.dir.Write("data/simulation/sliders.csv", "Name,Steps,Labels\n"
                                                 "\n"
                                                 "#,a,2,x\n" // too short to be a row
                                                 "  #,indented,3,x,y\n"
                                                 "#,tax,5,none,low,high\n"
                                                 "#,shared,3,standard\n");
    writeMod("b_second.txt", "#,modded,4,one,two\n#,ignored,2,x,y\n");
    writeMod("a_first.txt", "#,shared,2,mod\n");
    writeMod("c_comment.txt", "// a note first\n#,hidden,2,x,y\n");
    writeMod("d_short.txt", "#abcd\n");
    const char junk[] = "\x00\x01#,binary,2,a,b\n";
    writeMod("e_junk.txt", std::string(junk, sizeof junk - 1));
    writeMod("notes.md", "#,wrongext,2,a,b\n");

    LoadSliderConfigs(user);
    EXPECT_EQ(Names(), (Labels{"tax", "shared", "shared", "modded"}));
    ASSERT_NE(FindSliderConfig("shared"), nullptr);
    EXPECT_EQ(FindSliderConfig("shared")->labels, (Labels{"standard"}));
    ASSERT_NE(FindSliderConfig("modded"), nullptr);
    EXPECT_EQ(FindSliderConfig("modded")->Label(1.0f), "two");
    EXPECT_EQ(FindSliderConfig("Tax"), nullptr);
    EXPECT_EQ(Assertions(env), 0u);

    // The next game's load starts over instead of piling up copies.
    LoadSliderConfigs(user);
    EXPECT_EQ(SliderConfigs().size(), 4u);
    LoadSliderConfigs("");
    EXPECT_EQ(Names(), (Labels{"tax", "shared"}));

    ReleaseSliderConfigs();
    EXPECT_EQ(FindSliderConfig("tax"), nullptr);
}
