// The hidden tray window: adds and removes the notification-area icon, handles the shell's
// notifications about it and shows its popup menu.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/KeyboardLayoutApi.h"
#include "platform/TrayApi.h"
#include "tray/trayicon.h"

namespace harfpad {

// What the tray window calls on the main window.
class ITrayOwner {
  public:
    virtual ~ITrayOwner() = default;
    // Brings the main window up; loads it again (its start-up runs) when it was closed.
    virtual void show() = 0;
    // Sets the indicator check box; a change runs its click handler as a user's click would.
    virtual void setIndicator(int value) = 0;
    // Ends the whole program, main window and all.
    virtual void endProgram() = 0;
    // Switch the layout of the window the user types in.
    virtual void switchToArabic(const UserWindow& user) = 0;
    virtual void switchToEnglish(const UserWindow& user) = 0;
};

// The system objects the tray indicator works through; they outlive every Form2.
struct TrayPlatform {
    ITrayWindow& window;
    IShellNotify& shell;
};

inline constexpr const char* kTrayTip = "Arabic TrayIcon";

class Form2 final : public ITrayWindowEvents {
  public:
    // The items of the menu `Popup`, in their order.
    static constexpr std::array<std::u16string_view, 2> kPopupItems{u"Arabic", u"Default"};
    enum PopupItem { kArabic = 0, kEnglish = 1 };

    Form2(const TrayPlatform& platform, ITrayOwner& owner);
    ~Form2() override;
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    // Adds the icon, creating the hidden window first when it does not exist yet.
    void loadtray();
    // Removes the icon.
    void deltray();

    // The shell's notification in the version-4 layout: the event code is the low 16 bits of
    // `lParam`, the anchor point is in `wParam`.
    void Form_MouseMove(std::uintptr_t wParam, std::intptr_t lParam) override;
    void arabic_Click() { owner_.switchToArabic(userWindow()); }
    void english_Click() { owner_.switchToEnglish(userWindow()); }

    // A new taskbar knows no icons: add it again while the indicator is on.
    void taskbarCreated() override;
    // A new picture: the icon shown with the old one makes way for it.
    void iconChanged() override;
    // The window goes: take the icon away with it.
    void windowClosing() override;
    // A polite request to end: the icon goes and so does the program.
    void closeRequested() override;
    // The program was started again while only its icon was left: as a double-click does.
    void showRequested() override { showMainWindow(); }

    // True while the shell really shows the icon: an add it refused (Explorer not started yet,
    // or restarting) does not count, and is tried again when a new taskbar announces itself.
    bool iconShown() const { return iconShown_; }

    // The handle of the picture the icon shows, 0 until the first add.
    std::uintptr_t trayPicture() const { return trayPicture_; }
    // The event code of the last notification.
    std::int32_t trayMessage() const { return trayMessage_; }
    const NotifyIconRecord& record() const { return trayicon_.record(); }

  private:
    // Asked once the menu has closed: Windows may have refused the menu the foreground.
    UserWindow userWindow() const { return {window_.userWindow(), window_.inFront()}; }
    void Popup(ScreenPoint at);
    void showMainWindow();
    void removeIcon();

    ITrayWindow& window_;
    ITrayOwner& owner_;
    trayicon::Module trayicon_;
    std::uintptr_t trayPicture_ = 0;
    std::int32_t trayMessage_ = 0;
    bool iconOn_ = false;     // between loadtray and deltray
    bool iconShown_ = false;  // the shell took the icon
};

}  // namespace harfpad
