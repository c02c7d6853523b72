// How far two colours stand apart, as the Web Content Accessibility Guidelines measure it, and
// the choice of a colour that stays legible on a given background.
#pragma once

#include <cstdint>
#include <span>

namespace harfpad {

// A colour as the platform's COLORREF holds it: red in the low byte, then green, then blue.
using Rgb = std::uint32_t;

constexpr Rgb rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

// The contrast ratio of WCAG 2: (L1 + 0.05) / (L2 + 0.05) of the two relative luminances, from 1
// (the same colour) to 21 (black and white).
double contrastRatio(Rgb a, Rgb b);

// The least contrast WCAG asks of text, images of text included (success criterion 1.4.3): a
// small legend's thin, smoothed strokes keep 3:1, the least for graphics, only where their
// colour reaches this.
inline constexpr double kTextContrast = 4.5;

// The first of `preferred` that stands out from `background` by at least `minimum`; when none
// does, black or white, whichever stands out more (one of them always reaches 4.58).
Rgb legibleOn(Rgb background, std::span<const Rgb> preferred, double minimum = kTextContrast);

}  // namespace harfpad
