#include "platform/win32/Win32FormControls.h"

#include <commctrl.h>

#include "platform/FormModel.h"

namespace harfpad::win32 {

static_assert(kDefaultCharset == DEFAULT_CHARSET, "the portable default is the platform's");
// Button-class controls read "&" as a mnemonic marker; captions are shown literally.
std::wstring escapeAmpersands(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'&')
            escaped += L'&';
        escaped += c;
    }
    return escaped;
}

std::wstring unescapeAmpersands(std::wstring_view text) {
    std::wstring plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'&')
            ++i;
        plain += text[i];
    }
    return plain;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

WindowClass classFor(const ControlSpec& spec) {
    const bool tabStop = !(spec.style & kStyleNoTabStop);
    const DWORD tab = tabStop ? WS_TABSTOP : 0;
    const DWORD right = (spec.style & kStyleRightAligned) ? ES_RIGHT : 0;
    DWORD scroll = 0;
    if (spec.style & kStyleHScroll)
        scroll |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (spec.style & kStyleVScroll)
        scroll |= WS_VSCROLL | ES_AUTOVSCROLL;
    switch (spec.kind) {
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 0};
        case ControlKind::Label:
            return {WC_STATICW, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
        case ControlKind::Button:
            return {WC_BUTTONW, BS_PUSHBUTTON | WS_GROUP | tab, 0};
        case ControlKind::PictureButton:
            // The window text stays the caption, which screen readers announce.
            return {WC_BUTTONW, BS_PUSHBUTTON | BS_BITMAP | WS_GROUP | tab, 0};
        case ControlKind::ToggleButton:
            // Not an automatic check box: the behaviour sets the check (BM_SETCHECK).
            return {WC_BUTTONW, BS_CHECKBOX | BS_PUSHLIKE | WS_GROUP | tab, 0};
        case ControlKind::OptionButton:
            // One group runs from its first button to the next control that starts a group.
            return {WC_BUTTONW,
                    BS_AUTORADIOBUTTON |
                        ((spec.style & kStyleGroupStart) ? (WS_GROUP | tab) : DWORD{0}),
                    0};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_GROUP | tab, 0};
        case ControlKind::TextBox:
            return {WC_EDITW, ES_AUTOHSCROLL | WS_GROUP | tab | right, WS_EX_CLIENTEDGE};
        case ControlKind::MultiLineText:
            return {WC_EDITW,
                    ES_MULTILINE | ES_WANTRETURN | WS_GROUP | tab | right | scroll |
                        ((spec.style & kStyleHScroll) ? 0 : ES_AUTOVSCROLL),
                    WS_EX_CLIENTEDGE};
        case ControlKind::ReadOnlyText:
            return {WC_EDITW,
                    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_GROUP | tab,
                    WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, SS_LEFT, 0};
}

}  // namespace harfpad::win32
