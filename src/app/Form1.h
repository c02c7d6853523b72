// The main window's behaviour: start-up, closing, and the handlers of its controls.
#pragma once

#include <memory>
#include <string>

#include "feedback/FeedbackAddresses.h"
#include "feedback/FeedbackForm.h"
#include "keyboard/PictureKeyboard.h"
#include "keyboard/UnicodeKeyboard.h"
#include "layout/HotkeySettings.h"
#include "layout/LayoutSwitcher.h"
#include "platform/AccessibleNames.h"
#include "platform/HttpApi.h"
#include "platform/KeyInputApi.h"
#include "platform/KeyboardLayoutApi.h"
#include "platform/RegistryApi.h"
#include "platform/KeystrokeApi.h"
#include "platform/Ui.h"
#include "platform/UiServices.h"
#include "settings/EllReg.h"
#include "tray/Form2.h"

namespace harfpad {

// What the main window talks to; all of it outlives the Form1 object.
struct Form1Platform {
    IFormWindow& window;
    IUiServices& ui;
    IRegistryApi& registry;
    IKeyboardLayoutApi& layouts;
    IKeyInputApi& keyInput;
    IAnsiCodePage& codePage;
    IKeystrokeSender& keystrokes;
    IHttpClient& http;
    IAccessibleNames& names;
    const TrayPlatform* tray = nullptr;  // nullptr: no taskbar indicator
    feedback::FeedbackAddresses feedbackAddresses = {};
};

class Form1 final : public IFormEvents, public ITrayOwner {
  public:
    explicit Form1(const Form1Platform& platform);

    // Loads the window when it is not loaded (its start-up sequence runs), else brings it up.
    void show() override;

    // Window events.
    void Form_Load() override;
    void Form_Unload() override;
    void onClick(ControlId id) override;
    // The keyboards' keys from the physical keyboard.
    void onKeyPress(ControlId id) override;
    ControlId onNavigate(ControlId from, NavigationKey key) override;

    // Layout switching, also called from the tray menu and the picture keyboard.
    std::string getCurrentLanguage() { return switcher_.getCurrentLanguage(); }
    void switchToArabic() { switcher_.switchToArabic(); }
    void switchToEnglish() { switcher_.switchToEnglish(); }
    void switchToArabic(const UserWindow& user) override { switcher_.switchToArabic(user); }
    void switchToEnglish(const UserWindow& user) override { switcher_.switchToEnglish(user); }
    // Sets `Indicator`, running Indicator_Click when the value changes.
    void setIndicator(int value) override;
    // Closes the main window if it is open and ends the program.
    void endProgram() override;
    // The tray window, once the indicator has been used.
    Form2* form2() { return form2_.get(); }

    // Control handlers.
    void ARswitch_Click() { switchToArabic(); }
    void Enswitch_Click() { switchToEnglish(); }
    void Default_Click() { hotkeys_.Default_Click(); }
    void apply_Click() { hotkeys_.apply_Click(); }
    void Indicator_Click();
    void productsAsk_Click();
    bool shiftOn() const { return unicodeKeyboard_.shiftOn(); }
    void submit_Click() { feedback_.submit_Click(); }
    const feedback::FeedbackForm& feedback() const { return feedback_; }

  private:
    IFormWindow& window_;
    IUiServices& ui_;
    IKeystrokeSender& keystrokes_;
    EllReg registry_;
    LayoutSwitcher switcher_;
    HotkeySettings hotkeys_;
    UnicodeKeyboard unicodeKeyboard_;
    PictureKeyboard pictureKeyboard_;
    feedback::FeedbackForm feedback_;
    const TrayPlatform* tray_;
    bool feedbackGoesNowhere_;
    std::unique_ptr<Form2> form2_;
};

}  // namespace harfpad
