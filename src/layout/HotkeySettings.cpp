#include "layout/HotkeySettings.h"

#include "layout/HotkeyNumber.h"

namespace harfpad {
namespace {

constexpr const char* kStoredKey = "keyboard layout\\toggle";
constexpr const char* kDefaultProfileKey = ".default\\keyboard layout\\toggle";
// The values Windows' own language settings keep for the current user: the hotkey that cycles
// input languages, under its old and its current name, and the one that cycles the layouts of
// one language, which must not be the same keys.
constexpr const char* kHotkeyValue = "Hotkey";
constexpr const char* kLanguageHotkeyValue = "Language Hotkey";
constexpr const char* kLayoutHotkeyValue = "Layout Hotkey";
constexpr const char* kNoHotkey = "3";

}  // namespace

std::optional<int> HotkeySettings::storedNumber() const {
    // Windows reads the named value; an unnamed one beside it (left by an older tool) is not
    // what the hotkey does, and "APPLY" writes only the named one.
    std::string text = registry_.readRegValue(kHkeyCurrentUser, kStoredKey, kHotkeyValue);
    if (text == kRegNotFound)
        text = registry_.readRegValue(kHkeyCurrentUser, kStoredKey, "");
    return parseHotkeyNumber(text);
}

int HotkeySettings::chosenNumber() const {
    if (view_.value(ids_.option1) == 1)
        return 1;
    if (view_.value(ids_.option2) == 1)
        return 2;
    if (view_.value(ids_.option3) == 1)
        return 3;
    return 0;
}

void HotkeySettings::Default_Click() {
    const auto stored = storedNumber();
    if (!stored)
        return;
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
    const int choice = chosenNumber();
    // Nothing selected is no choice: storing an empty text would wipe a setting such as 4.
    if (choice == 0)
        return;
    const auto stored = storedNumber();
    if (stored && *stored == choice)
        return;
    const std::string text = std::to_string(choice);

    if (!registry_.writeRegValue(kHkeyCurrentUser, kStoredKey, kHotkeyValue, kRegSz, text) ||
        !registry_.writeRegValue(kHkeyCurrentUser, kStoredKey, kLanguageHotkeyValue, kRegSz,
                                 text)) {
        ui_.messageBox(kNotSavedMessage, kRebootTitle, kMbOk);
        return;
    }
    const std::string layoutHotkey =
        registry_.readRegValue(kHkeyCurrentUser, kStoredKey, kLayoutHotkeyValue);
    if (choice != 3 && parseHotkeyNumber(layoutHotkey) == choice)
        registry_.writeRegValue(kHkeyCurrentUser, kStoredKey, kLayoutHotkeyValue, kRegSz,
                                kNoHotkey);

    ui_.messageBox(kRebootMessage, kRebootTitle, kMbOk);
    // The default profile's copy needs rights a standard user does not have; without it the
    // user's own setting above still holds.
    registry_.writeRegValue(kHkeyUsers, kDefaultProfileKey, "", kRegSz, text);
    ui_.reloadLayoutHotkey();
}

}  // namespace harfpad
