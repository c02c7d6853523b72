#include "platform/Contrast.h"

#include <algorithm>
#include <cmath>

namespace harfpad {

namespace {

// One sRGB channel, linearised.
double linear(unsigned channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance(Rgb colour) {
    return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear((colour >> 16) & 0xFF);
}

}  // namespace

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb legibleOn(Rgb background, std::span<const Rgb> preferred, double minimum) {
    for (const Rgb colour : preferred)
        if (contrastRatio(colour, background) >= minimum)
            return colour;
    constexpr Rgb kBlack = rgb(0, 0, 0), kWhite = rgb(255, 255, 255);
    return contrastRatio(kBlack, background) >= contrastRatio(kWhite, background) ? kBlack : kWhite;
}

}  // namespace harfpad
