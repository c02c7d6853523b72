#include "tray/trayicon.h"

#include <algorithm>

namespace harfpad::trayicon {

std::array<char16_t, 128> tipField(const std::string& tip) {
    constexpr std::size_t kDesignedField = 64;
    std::array<char16_t, 128> field{};
    std::fill_n(field.begin(), kDesignedField, u' ');
    const std::size_t length = std::min(tip.size(), kDesignedField - 1);
    // The tip is ASCII: each byte is its own character.
    std::transform(tip.begin(), tip.begin() + static_cast<std::ptrdiff_t>(length), field.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
    field[length] = u'\0';
    return field;
}

bool Module::addTrayIcon(const std::uintptr_t& window, const std::uint32_t& identifier,
                         const std::uintptr_t& picture, const std::string& tip) {
    record_.hWnd = window;
    record_.uID = identifier;
    record_.uFlags = kNifMessage | kNifIcon | kNifTip | kNifShowTip;
    record_.uCallbackMessage = kWmMouseMove;
    record_.hIcon = picture;
    record_.szTip = tipField(tip);
    record_.uVersion = kNotifyIconVersion4;
    if (!shell_.shellNotifyIcon(kNimAdd, record_))
        return false;
    shell_.shellNotifyIcon(kNimSetVersion, record_);
    return true;
}

void Module::deleteTrayIcon(const std::uint32_t& identifier) {
    record_.uID = identifier;
    shell_.shellNotifyIcon(kNimDelete, record_);
}

void Module::returnFocus() {
    shell_.shellNotifyIcon(kNimSetFocus, record_);
}

}  // namespace harfpad::trayicon
