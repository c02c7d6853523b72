#include "platform/win32/TextPicture.h"

#include <algorithm>

#include "platform/Contrast.h"
#include "platform/win32/GdiScopes.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

namespace {

UniqueFont createFace(const char16_t* face, int height) {
    LOGFONTW logFont{};
    logFont.lfHeight = -height;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(logFont.lfFaceName, toWide(face).c_str(), LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&logFont));
}

bool hasGlyphs(HDC dc, std::wstring_view text) {
    std::vector<WORD> glyphs(text.size());
    if (::GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()), glyphs.data(),
                           GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return false;
    }
    return std::none_of(glyphs.begin(), glyphs.end(), [](WORD g) { return g == 0xFFFF; });
}

}  // namespace

int pictureSide(const PictureSpec& spec, int buttonWidth, int buttonHeight, int dpi) {
    // Leave the button's border and focus rectangle free.
    const int margin = ::MulDiv(3, dpi, 96);
    const int face = std::min(buttonWidth, buttonHeight) - 2 * margin;
    return std::max(1, std::min(::MulDiv(spec.maxSide96, dpi, 96), face));
}

HFONT TextPicturePainter::fontFor(HDC dc, const PictureSpec& spec, std::wstring_view text,
                                  int height) {
    std::vector<Face>& faces = faces_[{&spec, height}];
    faces.resize(spec.faces.size());
    auto face = [&](std::size_t index) {
        if (!faces[index].tried) {
            faces[index].font = createFace(spec.faces[index], height);
            faces[index].tried = true;
        }
        return faces[index].font.get();
    };
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const HFONT font = face(i);
        if (!font)
            continue;
        const ScopedSelect selected(dc, font);
        if (hasGlyphs(dc, text))
            return font;
    }
    return faces.empty() ? nullptr : face(0);
}

UniqueBitmap TextPicturePainter::draw(const PictureSpec& spec, std::wstring_view text, int side) {
    UniqueBitmap bitmap;
    UniqueMemoryDc dc;
    {
        const ScopedWindowDc screen(nullptr);
        bitmap.reset(::CreateCompatibleBitmap(screen.get(), side, side));
        dc.reset(::CreateCompatibleDC(screen.get()));
    }
    if (!bitmap || !dc)
        return {};
    const ScopedSelect bitmapSelected(dc.get(), bitmap.get());
    const RECT all{0, 0, side, side};
    // The key's face keeps the colour of selected text. The legend takes the button-text
    // colour, the usual dark on white; where a colour scheme (a high-contrast theme a user has
    // tuned) makes those two alike, it takes the colour Windows pairs with selected text, or the
    // window text, or black or white, whichever first stands out as text must.
    const Rgb face = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const Rgb preferred[] = {::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_HIGHLIGHT),
                             ::GetSysColor(COLOR_WINDOWTEXT)};
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_HIGHLIGHTTEXT));
    const ScopedSelect fontSelected(dc.get(),
                                    fontFor(dc.get(), spec, text, side * spec.emPercent / 100));
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), legibleOn(face, preferred));
    RECT box = all;
    ::DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return bitmap;
}

}  // namespace harfpad::win32
