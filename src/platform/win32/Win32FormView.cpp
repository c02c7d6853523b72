// The view the behaviour reads and changes: a control's window where it exists, else what was set
// for it until its page is built.
#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

bool Win32FormWindow::isButtonKind(const Control& control) const {
    switch (control.spec->kind) {
        case ControlKind::Button:
        case ControlKind::PictureButton:
        case ControlKind::ToggleButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::Frame:
            return true;
        default:
            return false;
    }
}

std::u16string Win32FormWindow::text(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return {};
    if (!control->hwnd)
        return model_.text(id);
    std::wstring text = windowText(control->hwnd);
    if (isButtonKind(*control))
        text = unescapeAmpersands(text);
    return fromWide(text);
}

void Win32FormWindow::setText(ControlId id, std::u16string_view text) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    if (!control->hwnd) {
        model_.state(id).text = std::u16string(text);
        return;
    }
    std::wstring wide = toWide(text);
    if (isButtonKind(*control))
        wide = escapeAmpersands(wide);
    ::SetWindowTextW(control->hwnd, wide.c_str());
}

int Win32FormWindow::value(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return 0;
    if (!control->hwnd)
        return model_.state(id).value;
    switch (::SendMessageW(control->hwnd, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return 1;
        case BST_INDETERMINATE:
            return 2;
        default:
            return 0;
    }
}

void Win32FormWindow::setCheck(Control& control, int value) {
    if (!control.hwnd) {
        model_.state(control.spec->id).value = value;
        return;
    }
    const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    ::SendMessageW(control.hwnd, BM_SETCHECK, state, 0);
}

void Win32FormWindow::setValue(ControlId id, int value) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    // The model knows the groups; the option buttons' windows only emulate them.
    if (value == 1)
        for (ControlId other : model_.otherOptionsOfGroup(id))
            if (Control* option = find(other))
                setCheck(*option, 0);
    setCheck(*control, value);
}

bool Win32FormWindow::isEnabled(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return false;
    return control->hwnd ? ::IsWindowEnabled(control->hwnd) != FALSE : model_.state(id).enabled;
}

void Win32FormWindow::setEnabled(ControlId id, bool enabled) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    if (control->hwnd)
        ::EnableWindow(control->hwnd, enabled);
    else
        model_.state(id).enabled = enabled;
}

bool Win32FormWindow::isVisible(ControlId id) const {
    const Control* control = find(id);
    return control && hwnd_ && model_.state(id).visible;
}

void Win32FormWindow::setVisible(ControlId id, bool visible) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    model_.state(id).visible = visible;
    if (!control->hwnd)
        return;
    if (visible) {
        ::SetWindowPos(control->hwnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(control->hwnd, SW_HIDE);
    }
}

void Win32FormWindow::setFocus(ControlId id) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    createPage(control->page);  // the focus needs a window
    ::SetFocus(control->hwnd);
    makeTabStop(*control);
}

void Win32FormWindow::caretToEnd(ControlId id) {
    const Control* control = find(id);
    if (!control || !control->hwnd)
        return;
    const auto end = static_cast<WPARAM>(::GetWindowTextLengthW(control->hwnd));
    ::SendMessageW(control->hwnd, EM_SETSEL, end, static_cast<LPARAM>(end));
    ::SendMessageW(control->hwnd, EM_SCROLLCARET, 0, 0);
}

ControlId Win32FormWindow::activeControl() const {
    HWND focus = ::GetFocus();
    for (const Control& control : controls_) {
        if (control.hwnd && control.hwnd == focus)
            return control.spec->id;
    }
    return kNoControl;
}

int Win32FormWindow::fontCharset(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return DEFAULT_CHARSET;
    // A control not created yet gets the font fontFor() makes for it.
    const int charset = model_.state(id).charset;
    if (!control->hwnd && (control->spec->font || charset != DEFAULT_CHARSET))
        return charset;
    auto font = control->hwnd
                    ? reinterpret_cast<HFONT>(::SendMessageW(control->hwnd, WM_GETFONT, 0, 0))
                    : formFont_.get();
    LOGFONTW logFont{};
    if (!font || !::GetObjectW(font, sizeof logFont, &logFont))
        return DEFAULT_CHARSET;
    return logFont.lfCharSet;
}

void Win32FormWindow::setFontCharset(ControlId id, int charset) {
    Control* control = find(id);
    if (!control)
        return;
    model_.state(id).charset = charset;
    if (control->hwnd) {
        ::SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(*control)),
                       TRUE);
    }
}

std::u16string Win32FormWindow::caption() const {
    return hwnd_ ? fromWide(windowText(hwnd_)) : std::u16string();
}

void Win32FormWindow::setCaption(std::u16string_view caption) {
    if (hwnd_)
        ::SetWindowTextW(hwnd_, toWide(caption).c_str());
}

int Win32FormWindow::selectedPage() const {
    return tab_ ? static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) : 0;
}

void Win32FormWindow::selectPage(int index) {
    if (!tab_)
        return;
    ::SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showPage(index);
}

}  // namespace harfpad::win32
