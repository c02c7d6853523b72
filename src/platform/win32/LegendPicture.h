// The pictures on the picture keyboard's character keys, drawn at run time from a font that
// has the legend's glyphs.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string_view>

#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// Largest picture side at 96 DPI; scaled with the DPI.
constexpr int kLegendPictureSide = 33;

// The side of a key's picture: the scaled limit, or less when the key's face is smaller.
int legendPictureSide(int keyWidth, int keyHeight, int dpi);

// Draws the legends of one keyboard. A face is created and checked once per size, not once
// per key: the keyboard has 47 pictures and each layout pass redraws them all.
class LegendPainter {
  public:
    static constexpr std::size_t kFaceCount = 7;

    // `legend` centred in the button-text colour on a square of the keys' background colour.
    UniqueBitmap draw(std::wstring_view legend, int side);
    // Lets the fonts go, when the pictures are redrawn at another DPI.
    void clear() { sizes_.clear(); }

  private:
    struct Faces {
        std::array<UniqueFont, kFaceCount> fonts;  // each created on first use
        std::array<bool, kFaceCount> tried{};
    };
    // The first face that draws every character of the legend; the first face at all
    // otherwise, so that the system's font linking gets its chance.
    HFONT fontFor(HDC dc, std::wstring_view legend, int height);

    std::map<int, Faces> sizes_;  // by font height
};

}  // namespace harfpad::win32
