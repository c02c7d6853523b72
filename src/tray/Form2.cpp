#include "tray/Form2.h"

namespace harfpad {
namespace {

// The shell hands over handles of 32 significant bits; the identifier field holds those.
std::uint32_t identifierOf(std::uintptr_t picture) {
    return static_cast<std::uint32_t>(picture);
}

// The anchor point of a version-4 notification: signed x and y in wParam's two low words.
ScreenPoint anchorOf(std::uintptr_t wParam) {
    return {static_cast<std::int16_t>(wParam & 0xFFFF),
            static_cast<std::int16_t>((wParam >> 16) & 0xFFFF)};
}

}  // namespace

Form2::Form2(const TrayPlatform& platform, ITrayOwner& owner)
    : window_(platform.window), owner_(owner), trayicon_(platform.shell) {
    window_.setEvents(this);
}

Form2::~Form2() {
    removeIcon();
    window_.setEvents(nullptr);
}

void Form2::loadtray() {
    window_.create();
    trayPicture_ = window_.windowIcon();
    const std::uint32_t identifier = identifierOf(trayPicture_);
    const std::uintptr_t window = window_.handle();
    // The shell refuses a second add of an icon it shows: that one stays shown.
    if (trayicon_.addTrayIcon(window, identifier, trayPicture_, kTrayTip))
        iconShown_ = true;
    iconOn_ = true;
}

void Form2::deltray() {
    const std::uint32_t identifier = identifierOf(trayPicture_);
    trayicon_.deleteTrayIcon(identifier);
    iconOn_ = false;
    iconShown_ = false;
}

void Form2::Form_MouseMove(std::uintptr_t wParam, std::intptr_t lParam) {
    trayMessage_ = static_cast<std::int32_t>(static_cast<std::uintptr_t>(lParam) & 0xFFFF);
    switch (static_cast<std::uint32_t>(trayMessage_)) {
        // Enter or Space on the icon selects it as a double-click does.
        case kWmLButtonDblClk:
        case kNinSelect:
        case kNinKeySelect:
            showMainWindow();
            break;
        // A right-click and the menu key alike; the right button's release no longer opens it,
        // or a right-click would open it twice.
        case kWmContextMenu:
            Popup(anchorOf(wParam));
            break;
        default:
            break;
    }
}

void Form2::showMainWindow() {
    owner_.show();
    owner_.setIndicator(1);
}

void Form2::Popup(ScreenPoint at) {
    const int chosen = window_.popupMenu(kPopupItems, at);
    // The keyboard focus goes back where the user opened the menu from.
    trayicon_.returnFocus();
    switch (chosen) {
        case kArabic:
            arabic_Click();
            break;
        case kEnglish:
            english_Click();
            break;
        default:
            break;
    }
}

void Form2::taskbarCreated() {
    iconShown_ = false;  // a new taskbar knows no icons
    if (iconOn_)
        loadtray();
}

void Form2::iconChanged() {
    // The identifier is the picture's handle, so the new picture is a new icon.
    if (!iconOn_)
        return;
    deltray();
    loadtray();
}

void Form2::windowClosing() {
    removeIcon();
}

void Form2::closeRequested() {
    removeIcon();
    owner_.endProgram();
}

void Form2::removeIcon() {
    if (iconOn_)
        deltray();
}

}  // namespace harfpad
