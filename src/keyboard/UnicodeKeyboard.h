// The Unicode test keyboard: its keys append their captions to txtarabic, the latched Shift
// switches every character key between its two captions.
#pragma once

#include <string_view>

#include "platform/AccessibleNames.h"
#include "platform/ClickTable.h"
#include "platform/KeyInputApi.h"
#include "platform/Ui.h"

namespace harfpad {

class UnicodeKeyboard {
  public:
    UnicodeKeyboard(IFormView& view, IAccessibleNames& names, IKeyInputApi& keyInput,
                    IAnsiCodePage& codePage)
        : view_(view), names_(names), keyInput_(keyInput), codePage_(codePage) {}

    bool shiftOn() const { return shiftOn_; }
    // Start-up: unshifted captions, and a state that agrees with them; names for screen readers.
    void load();

    void setNormalCaptions();
    void setShiftCaptions();

    // The page's click handlers.
    static std::span<const ClickRow<UnicodeKeyboard>> clicks();

    void characterKey_Click(ControlId key);
    void cmd28_Click() { append(u"\r\n"); }   // Enter
    void cmdspaceb_Click() { append(u" "); }  // Space
    void cmd15_Click() { append(u"    "); }   // Tab: four spaces, never a tab character
    void cmd13_Click();                       // Backspace
    void cmd53_Click();                       // left Shift
    void cmd42_Click() { cmd53_Click(); }     // right Shift
    void cmd40_Click() { cmd53_Click(); }     // Capslock: a third Shift key

  private:
    // Appends at the end whatever the caret, then lets the caret follow.
    void append(std::u16string_view text);
    void focusTextAndTapEnd();
    void writeCaptions(bool shifted);
    // Both Shift keys and Capslock show the state: checked while Shift is on.
    void showShift();

    IFormView& view_;
    IAccessibleNames& names_;
    IKeyInputApi& keyInput_;
    IAnsiCodePage& codePage_;
    bool shiftOn_ = false;
};

}  // namespace harfpad
