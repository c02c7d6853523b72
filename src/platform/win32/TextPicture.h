// Pictures of a text for picture buttons, drawn at run time in the first of a list of faces that
// has the text's glyphs.
#pragma once

#include <windows.h>

#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Ui.h"
#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// The side of a button's square picture at this DPI: the PictureSpec's limit scaled, or less when
// the button's face is smaller.
int pictureSide(const PictureSpec& spec, int buttonWidth, int buttonHeight, int dpi);

// Draws the pictures of a window. A face is created and checked once per size, not once per
// button: a window may hold dozens of pictures and each layout pass redraws them all.
class TextPicturePainter {
  public:
    // `text` centred on a square of the highlight-text colour, in a system colour that stands
    // out from it.
    UniqueBitmap draw(const PictureSpec& spec, std::wstring_view text, int side);
    // Lets the fonts go, when the pictures are redrawn at another DPI.
    void clear() { faces_.clear(); }

  private:
    struct Face {
        UniqueFont font;  // created on first use
        bool tried = false;
    };
    // The first face that draws every character of the text; the first face at all
    // otherwise, so that the system's font linking gets its chance.
    HFONT fontFor(HDC dc, const PictureSpec& spec, std::wstring_view text, int height);

    std::map<std::pair<const PictureSpec*, int>, std::vector<Face>> faces_;  // by font height
};

}  // namespace harfpad::win32
