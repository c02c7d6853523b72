// Twips to device pixels, and control rectangles resolved against their frames.
#pragma once

#include <span>
#include <vector>

#include "platform/Ui.h"

namespace harfpad {

constexpr int kTwipsPerInch = 1440;

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// value * numerator / denominator rounded to the nearest integer, halves away from zero
// (the platform's MulDiv). Denominator 0 gives -1, as MulDiv does.
int mulDiv(int value, int numerator, int denominator);

int twipsToPixels(int twips, int dpi);
PixelRect toPixels(const TwipsRect& rect, int dpi);

// The control's rectangle relative to its page: the offsets of the frames it stands in are
// added. A container that is not a frame listed before the control counts as the page. A label
// that names a text box (namesNextControl) ends where the box begins.
std::vector<TwipsRect> resolvePageRects(std::span<const ControlSpec> controls);

}  // namespace harfpad
