// The picture keyboard of "KB Testing": each key makes the Arabic layout active, then types its
// character into Text4 through the system's keystroke path.
#pragma once

#include <functional>

#include "platform/AccessibleNames.h"
#include "platform/ClickTable.h"
#include "platform/KeyInputApi.h"
#include "platform/KeystrokeApi.h"
#include "platform/Ui.h"

namespace harfpad {

class PictureKeyboard {
  public:
    PictureKeyboard(IFormView& view, IAccessibleNames& names, IKeyInputApi& keyInput,
                    IAnsiCodePage& codePage, IKeystrokeSender& keystrokes,
                    std::function<void()> switchToArabic)
        : view_(view),
          names_(names),
          keyInput_(keyInput),
          codePage_(codePage),
          keystrokes_(keystrokes),
          switchToArabic_(std::move(switchToArabic)) {}

    // The page's click handlers: every key is Keyboard_Array(index).
    static std::span<const ClickRow<PictureKeyboard>> clicks();

    // Start-up: names for screen readers, each key's saying what it types and where it is.
    void load();

    void Keyboard_Array_Click(int index);

  private:
    IFormView& view_;
    IAccessibleNames& names_;
    IKeyInputApi& keyInput_;
    IAnsiCodePage& codePage_;
    IKeystrokeSender& keystrokes_;
    std::function<void()> switchToArabic_;
};

}  // namespace harfpad
