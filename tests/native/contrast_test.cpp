// Legends that stand out from their background in any colour scheme.
#include <gtest/gtest.h>

#include <random>

#include "platform/Contrast.h"

namespace harfpad {
namespace {

constexpr Rgb kWhite = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);

// Figures WCAG gives: black on white is 21:1, #767676 is the lightest grey that reaches 4.5:1 on
// white (4.54), and the ratio does not depend on which colour is in front.
TEST(Contrast, RatiosAreTheOnesWcagGives) {
    EXPECT_DOUBLE_EQ(contrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kWhite), 1.0);
    EXPECT_NEAR(contrastRatio(rgb(0x76, 0x76, 0x76), kWhite), 4.54, 0.01);
    EXPECT_LT(contrastRatio(rgb(0x77, 0x77, 0x77), kWhite), 4.5);
    EXPECT_DOUBLE_EQ(contrastRatio(rgb(0, 120, 215), kWhite),
                     contrastRatio(kWhite, rgb(0, 120, 215)));
}

TEST(Contrast, TheFirstPreferredColourThatStandsOutIsTaken) {
    // Windows 10's selection blue falls just short of 4.5:1 on white (4.499).
    const Rgb cyan = rgb(0x1A, 0xEB, 0xFF), accent = rgb(0, 120, 215), navy = rgb(0, 102, 204);
    const struct {
        const char* scheme;
        Rgb background;              // selected text
        std::vector<Rgb> preferred;  // button text, highlight, window text
        Rgb legend;
    } rows[] = {
        {"the usual colours: dark on white", kWhite, {kBlack, accent, kBlack}, kBlack},
        {"button text tuned to white", kWhite, {kWhite, navy, kBlack}, navy},
        {"a selection colour short of 4.5:1", kWhite, {kWhite, accent, kBlack}, kBlack},
        {"High Contrast Black", kBlack, {kWhite, cyan, kWhite}, kWhite},
        {"nothing of the scheme stands out", kWhite, {kWhite, cyan, kWhite}, kBlack},
        {"nor on black", kBlack, {kBlack, rgb(0x30, 0, 0)}, kWhite},
    };
    for (const auto& row : rows)
        EXPECT_EQ(legibleOn(row.background, row.preferred), row.legend) << row.scheme;
}

TEST(Contrast, ALegendAlwaysStandsOutAsTextMust) {
    std::mt19937 random(7);
    std::uniform_int_distribution<Rgb> colour(0, 0xFFFFFF);
    for (int i = 0; i < 20000; ++i) {
        const Rgb background = colour(random);
        const Rgb preferred[] = {colour(random), colour(random), colour(random)};
        EXPECT_GE(contrastRatio(legibleOn(background, preferred), background), kTextContrast)
            << background;
    }
}

}  // namespace
}  // namespace harfpad
