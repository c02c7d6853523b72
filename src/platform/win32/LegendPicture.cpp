#include "platform/win32/LegendPicture.h"

#include "platform/win32/GdiScopes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace harfpad::win32 {

namespace {

// Faces that carry Arabic on Windows first, then those a Wine or Linux desktop usually has.
constexpr std::array<const wchar_t*, LegendPainter::kFaceCount> kFaces = {
    L"Segoe UI",
    L"Tahoma",
    L"Arial",
    L"Noto Sans Arabic",
    L"Noto Naskh Arabic",
    L"Noto Sans Arabic UI",
    L"DejaVu Sans",
};

UniqueFont createFace(const wchar_t* face, int height) {
    LOGFONTW logFont{};
    logFont.lfHeight = -height;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(logFont.lfFaceName, face, LF_FACESIZE);
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

int legendPictureSide(int keyWidth, int keyHeight, int dpi) {
    // Leave the button's border and focus rectangle free.
    const int margin = ::MulDiv(3, dpi, 96);
    const int face = std::min(keyWidth, keyHeight) - 2 * margin;
    return std::max(1, std::min(::MulDiv(kLegendPictureSide, dpi, 96), face));
}

HFONT LegendPainter::fontFor(HDC dc, std::wstring_view legend, int height) {
    Faces& faces = sizes_[height];
    auto face = [&](std::size_t index) {
        if (!faces.tried[index]) {
            faces.fonts[index] = createFace(kFaces[index], height);
            faces.tried[index] = true;
        }
        return faces.fonts[index].get();
    };
    for (std::size_t i = 0; i < kFaceCount; ++i) {
        const HFONT font = face(i);
        if (!font)
            continue;
        const ScopedSelect selected(dc, font);
        if (hasGlyphs(dc, legend))
            return font;
    }
    return face(0);
}

UniqueBitmap LegendPainter::draw(std::wstring_view legend, int side) {
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
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_HIGHLIGHTTEXT));
    // Arabic letters reach far above and below the baseline: the em takes most of the square.
    const ScopedSelect fontSelected(dc.get(), fontFor(dc.get(), legend, side * 3 / 4));
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), ::GetSysColor(COLOR_BTNTEXT));
    RECT box = all;
    ::DrawTextW(dc.get(), legend.data(), static_cast<int>(legend.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return bitmap;
}

}  // namespace harfpad::win32
