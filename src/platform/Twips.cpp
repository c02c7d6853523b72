#include "platform/Twips.h"

#include "platform/PageOrder.h"

#include <cstdint>
#include <cstdlib>

namespace harfpad {

int mulDiv(int value, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t magnitude =
        (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
    const bool negative = (product < 0) != (denominator < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int twipsToPixels(int twips, int dpi) {
    return mulDiv(twips, dpi, kTwipsPerInch);
}

PixelRect toPixels(const TwipsRect& rect, int dpi) {
    return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
            twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi)};
}

std::vector<TwipsRect> resolvePageRects(std::span<const ControlSpec> controls) {
    std::vector<TwipsRect> rects;
    rects.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        TwipsRect rect = controls[i].rect;
        if (controls[i].container != kNoControl) {
            for (std::size_t j = 0; j < i; ++j) {
                if (controls[j].id == controls[i].container &&
                    controls[j].kind == ControlKind::Frame) {
                    rect.left += rects[j].left;
                    rect.top += rects[j].top;
                    break;
                }
            }
        }
        rects.push_back(rect);
    }
    // A label that names the text box after it lies in front of it: it ends where the box
    // begins.
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        const TwipsRect& box = rects[i + 1];
        TwipsRect& label = rects[i];
        if (namesNextControl(controls, i) && label.left < box.left &&
            box.left < label.left + label.width)
            label.width = box.left - label.left;
    }
    return rects;
}

}  // namespace harfpad
