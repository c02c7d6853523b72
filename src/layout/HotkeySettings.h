// Shows the stored layout-switch hotkey in three option buttons and stores the user's choice.
#pragma once

#include <optional>

#include "platform/Ui.h"
#include "platform/UiServices.h"
#include "settings/EllReg.h"

namespace harfpad {

struct HotkeyOptionIds {
    ControlId option1;  // "Left Alt+Shift", number 1
    ControlId option2;  // "Ctrl + Shift", number 2
    ControlId option3;  // "Disable key switching", number 3
};

inline constexpr char16_t kRebootMessage[] = u"Keyboard switching will be enabled on reboot";
inline constexpr char16_t kRebootTitle[] = u"Zemrak";
inline constexpr char16_t kNotSavedMessage[] =
    u"The keyboard switching setting could not be saved.";

class HotkeySettings {
  public:
    HotkeySettings(IFormView& view, IUiServices& ui, const EllReg& registry, HotkeyOptionIds ids)
        : view_(view), ui_(ui), registry_(registry), ids_(ids) {}

    // Selects the option of the stored number; any other number leaves the selection alone.
    void Default_Click();
    // Stores the selected number when it differs from the stored one: as the current user's
    // setting, which Windows then reads again, and for the default profile. The user is told it
    // takes effect on reboot only once the current user's setting is stored, and told when it
    // could not be. With no option selected nothing is stored.
    void apply_Click();

    // The stored number: the named value "Hotkey" that Windows uses, or where that cannot be
    // read the key's unnamed value. Empty when it lies outside the signed 16-bit range.
    std::optional<int> storedNumber() const;
    // 1, 2 or 3 for the selected option, 0 for none.
    int chosenNumber() const;

  private:
    IFormView& view_;
    IUiServices& ui_;
    const EllReg& registry_;
    HotkeyOptionIds ids_;
};

}  // namespace harfpad
