// Placing the window and its controls at the monitor's DPI: twips scaled to pixels, the fonts
// at that size, the pictures of picture buttons, the window's icons, centring on the monitor.
#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

void Win32FormWindow::applyLayout() {
    // A control may draw or measure with its font until it has the next one, so the old fonts
    // are deleted only once every control holds a new one.
    const auto oldFonts = std::move(fonts_);
    const UniqueFont oldFormFont = std::move(formFont_);
    fonts_.clear();
    painter_.clear();
    LOGFONTW form = formLogFont();
    formFont_.reset(::CreateFontIndirectW(&form));

    const PixelRect tab = toPixels(spec_.tabRect, dpi_);
    ::SetWindowPos(tab_, nullptr, tab.left, tab.top, tab.width, tab.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    RECT display{tab.left, tab.top, tab.left + tab.width, tab.top + tab.height};
    ::SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    pageArea_ = display;
    for (HWND page : pages_) {
        if (page) {
            ::SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                           display.bottom - display.top, SWP_NOACTIVATE);
        }
    }
    // Page tables are relative to the tab control; the page window starts at its display area.
    pageOffset_ = {display.left - tab.left, display.top - tab.top};
    for (Control& control : controls_) {
        if (control.hwnd)
            layoutControl(control, pageOffset_.x, pageOffset_.y);
    }
}

void Win32FormWindow::loadIcons(int dpi) {
    UniqueIcon big = loadIconForDpi(instance_, iconResourceId_, SM_CXICON, dpi);
    UniqueIcon small = loadIconForDpi(instance_, iconResourceId_, SM_CXSMICON, dpi);
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The window does not own its icons: the old ones go once the new ones are in place.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
    iconDpi_ = dpi;
}

void Win32FormWindow::layoutControl(Control& control, int dx, int dy) {
    const PixelRect r = toPixels(control.pageRect, dpi_);
    ::SetWindowPos(control.hwnd, nullptr, r.left - dx, r.top - dy, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(control)), TRUE);
    if (control.spec->kind == ControlKind::PictureButton && control.spec->picture)
        drawPicture(control, r.width, r.height);
}

void Win32FormWindow::drawPicture(const Control& control, int width, int height) {
    const PictureSpec& spec = *control.spec->picture;
    UniqueBitmap picture =
        painter_.draw(spec, toWide(control.spec->caption ? control.spec->caption : u""),
                      pictureSide(spec, width, height, dpi_));
    ::SendMessageW(control.hwnd, BM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(picture.get()));
    // The button does not own its image: the old one goes once the new one is in place.
    pictures_[control.spec->id] = std::move(picture);
}

void Win32FormWindow::coloursChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    for (Control& control : controls_) {
        if (!control.hwnd)
            continue;
        // Common controls hear of a colour change only from their parent.
        if (message == WM_SYSCOLORCHANGE)
            ::SendMessageW(control.hwnd, message, wParam, lParam);
        if (control.spec->kind == ControlKind::PictureButton && control.spec->picture) {
            const PixelRect r = toPixels(control.pageRect, dpi_);
            drawPicture(control, r.width, r.height);
        }
    }
    if (message == WM_SYSCOLORCHANGE && tab_)
        ::SendMessageW(tab_, message, wParam, lParam);
}

LOGFONTW Win32FormWindow::logFontFor(const FontSpec* spec) const {
    LOGFONTW logFont = messageFontForDpi(dpi_);
    if (spec) {
        logFont.lfHeight = -mulDiv(spec->hundredthsOfPoint, dpi_, 7200);
        logFont.lfWidth = 0;
        logFont.lfWeight = spec->bold ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = FALSE;
        const std::wstring face = toWide(spec->face);
        lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    return logFont;
}

LOGFONTW Win32FormWindow::formLogFont() const {
    return logFontFor(spec_.font);
}

HFONT Win32FormWindow::fontFor(const Control& control) {
    const int charset = model_.state(control.spec->id).charset;
    if (!control.spec->font && charset == DEFAULT_CHARSET)
        return formFont_.get();
    auto& font = fonts_[{control.spec->font, charset}];
    if (!font) {
        LOGFONTW logFont = logFontFor(control.spec->font ? control.spec->font : spec_.font);
        logFont.lfCharSet = static_cast<BYTE>(charset);
        font.reset(::CreateFontIndirectW(&logFont));
    }
    return font.get();
}

void Win32FormWindow::centreOnMonitor() {
    RECT outer{0, 0, twipsToPixels(spec_.clientWidthTwips, dpi_),
               twipsToPixels(spec_.clientHeightTwips, dpi_)};
    adjustWindowRectForDpi(outer, kFormStyle, kFormExStyle, dpi_);
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = work.left + ((work.right - work.left) - width) / 2;
    const int top = work.top + std::max(0L, ((work.bottom - work.top) - height) / 2);
    ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace harfpad::win32
