// The pictures on the picture keyboard's character keys, drawn at run time from a font that
// has the legend's glyphs.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// Largest picture side at 96 DPI; scaled with the DPI.
constexpr int kLegendPictureSide = 33;

// The side of a key's picture: the scaled limit, or less when the key's face is smaller.
int legendPictureSide(int keyWidth, int keyHeight, int dpi);

// `legend` centred in the button-text colour on a square of the keys' background colour.
UniqueBitmap drawLegendPicture(std::wstring_view legend, int side);

}  // namespace harfpad::win32
