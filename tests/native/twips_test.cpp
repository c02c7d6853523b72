#include <gtest/gtest.h>

#include "platform/Twips.h"

namespace harfpad {
namespace {

TEST(Twips, ScalesToPixelsAtCommonDpis) {
    struct Row {
        int twips, dpi, pixels;
    } rows[] = {
        {15, 96, 1}, {6930, 144, 693}, {345, 96, 23},  {350, 96, 23},
        {7, 96, 0},  {8, 96, 1},       {495, 192, 66}, {-8, 96, -1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(twipsToPixels(r.twips, r.dpi), r.pixels) << r.twips << " twips at " << r.dpi;
    }
}

TEST(Twips, MulDivRoundsHalvesAwayFromZeroAndRejectsZeroDenominator) {
    EXPECT_EQ(mulDiv(3, 1, 2), 2);
    EXPECT_EQ(mulDiv(-3, 1, 2), -2);
    EXPECT_EQ(mulDiv(5, 1, -2), -3);
    EXPECT_EQ(mulDiv(1, 1, 0), -1);
    EXPECT_EQ(mulDiv(2'000'000'000, 3, 3), 2'000'000'000);  // no 32-bit overflow inside
}

TEST(Twips, ControlsInFramesAreOffsetByTheirFrame) {
    const ControlSpec controls[] = {
        {1, ControlKind::Frame, u"Outer", {480, 1260, 5415, 855}},
        {2, ControlKind::CheckBox, u"In frame", {120, 240, 3615, 495}, 1},
        {3, ControlKind::Button, u"On page", {2640, 6060, 1095, 495}},
        {4, ControlKind::Button, u"Unknown container", {10, 20, 30, 40}, 99},
    };
    const auto rects = resolvePageRects(controls);
    ASSERT_EQ(rects.size(), 4u);
    // At 1440 DPI a pixel is a twip. A container that is no frame counts as the page.
    EXPECT_EQ(toPixels(rects[1], 1440), (PixelRect{600, 1500, 3615, 495}));
    EXPECT_EQ(rects[2].left, 2640);
    EXPECT_EQ(rects[3].left, 10);
    EXPECT_EQ(toPixels(rects[1], 96), (PixelRect{40, 100, 241, 33}));
}

}  // namespace
}  // namespace harfpad
