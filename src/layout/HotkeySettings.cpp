#include "layout/HotkeySettings.h"

#include "layout/HotkeyNumber.h"

namespace harfpad {
namespace {

constexpr const char* kStoredKey = "keyboard layout\\toggle";
constexpr const char* kDefaultProfileKey = ".default\\keyboard layout\\toggle";

}  // namespace

std::optional<int> HotkeySettings::storedNumber() const {
    return parseHotkeyNumber(registry_.readRegValue(kHkeyCurrentUser, kStoredKey, ""));
}

int HotkeySettings::chosenNumber() const {
    if (view_.value(ids_.option1) == 1) return 1;
    if (view_.value(ids_.option2) == 1) return 2;
    if (view_.value(ids_.option3) == 1) return 3;
    return 0;
}

void HotkeySettings::Default_Click() {
    const auto stored = storedNumber();
    if (!stored) return;
    switch (*stored) {
        case 1:
            view_.setValue(ids_.option1, 1);
            break;
        case 2:
            view_.setValue(ids_.option2, 1);
            break;
        case 3:
            view_.setValue(ids_.option3, 1);
            break;
        default:
            break;
    }
}

void HotkeySettings::apply_Click() {
    const auto stored = storedNumber();
    const int choice = chosenNumber();
    if (stored && *stored == choice) return;
    ui_.messageBox(kRebootMessage, kRebootTitle, kMbOk);
    // No option selected is stored as empty text.
    registry_.writeRegValue(kHkeyUsers, kDefaultProfileKey, "", kRegSz,
                            choice == 0 ? std::string() : std::to_string(choice));
}

}  // namespace harfpad
