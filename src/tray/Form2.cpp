#include "tray/Form2.h"

namespace harfpad {
namespace {

// The shell hands over handles of 32 significant bits; the identifier field holds those.
std::uint32_t identifierOf(std::uintptr_t picture) {
    return static_cast<std::uint32_t>(picture);
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

void Form2::Form_MouseMove(int, int, std::intptr_t x, std::intptr_t) {
    trayMessage_ = static_cast<std::int32_t>(static_cast<std::uintptr_t>(x) & 0xFFFF);
    switch (static_cast<std::uint32_t>(trayMessage_)) {
        case kWmLButtonDblClk:
            showMainWindow();
            break;
        case kWmRButtonUp:
            Popup();
            break;
        default:
            break;
    }
}

void Form2::showMainWindow() {
    owner_.show();
    owner_.setIndicator(1);
}

void Form2::Popup() {
    switch (window_.popupMenu(kPopupItems)) {
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
