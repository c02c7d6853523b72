#include "app/Form1.h"

#include "app/Form1Layout.h"
#include "app/InfoPages.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackPage.h"
#include "keyboard/PictureKeyboardPage.h"

namespace harfpad {

Form1::Form1(const Form1Platform& platform)
    : window_(platform.window),
      ui_(platform.ui),
      registry_(platform.registry),
      switcher_(platform.layouts, registry_),
      hotkeys_(platform.window, platform.ui, registry_,
               {setting_page::kOption1, setting_page::kOption2, setting_page::kOption3}),
      unicodeKeyboard_(platform.window, platform.keyInput, platform.codePage),
      pictureKeyboard_(platform.window, platform.keyInput, platform.codePage, platform.keystrokes,
                       [this] { ARswitch_Click(); }),
      feedback_(platform.window, platform.ui, platform.internet, platform.requests,
                platform.feedbackAddresses),
      tray_(platform.tray),
      feedbackGoesNowhere_(feedback::isPlaceholderAddress(platform.feedbackAddresses.feedbackUrl)) {
}

void Form1::show() {
    if (window_.isLoaded()) {
        window_.show();
    } else {
        window_.load(*this);
    }
}

void Form1::Form_Load() {
    Default_Click();
    // Captions and the Shift state start out agreeing, also when the window is loaded again.
    unicodeKeyboard_.load();
    window_.setFontCharset(picture_page::kText4, picture_page::kArabicCharset);
    if (feedbackGoesNowhere_)
        window_.setText(info_pages::kAboutFeedbackNote, info_pages::kNoFeedbackAddressNote);
}

void Form1::Form_Unload() {
    // Only an icon the user can see keeps the program alive without its window: with the
    // indicator off, or an icon the shell refused, the program would be out of reach.
    const bool iconShown = form2_ && form2_->iconShown();
    if (window_.value(setting_page::kIndicator) == 0 || !iconShown)
        ui_.endProgram();
}

void Form1::endProgram() {
    if (window_.isLoaded())
        window_.close();
    ui_.endProgram();
}

void Form1::Indicator_Click() {
    const int value = window_.value(setting_page::kIndicator);
    if ((value != 0 && value != 1) || !tray_)
        return;  // greyed: nothing to do
    if (!form2_)
        form2_ = std::make_unique<Form2>(*tray_, *this);
    if (value == 1)
        form2_->loadtray();
    else
        form2_->deltray();
}

void Form1::setIndicator(int value) {
    if (window_.value(setting_page::kIndicator) == value)
        return;
    window_.setValue(setting_page::kIndicator, value);
    Indicator_Click();
}

void Form1::productsAsk_Click() {
    // The message starts with the subject line, once; what the user typed stays after it.
    const std::u16string_view subject = info_pages::kProductsSubject;
    const std::u16string message = window_.text(feedback_page::kText1Feedback);
    if (!message.starts_with(subject))
        window_.setText(feedback_page::kText1Feedback, std::u16string(subject) + message);
    window_.selectPage(kPageFeedback);
    window_.setFocus(feedback_page::kText1Feedback);
}

void Form1::onClick(ControlId id) {
    switch (id) {
        case setting_page::kARswitch:
            ARswitch_Click();
            break;
        case setting_page::kEnswitch:
            Enswitch_Click();
            break;
        case setting_page::kDefault:
            Default_Click();
            break;
        case setting_page::kApply:
            apply_Click();
            break;
        case setting_page::kIndicator:
            Indicator_Click();
            break;
        case feedback_page::kSubmit:
            submit_Click();
            break;
        case info_pages::kProductsAsk:
            productsAsk_Click();
            break;
        default:
            if (!unicodeKeyboard_.onClick(id))
                pictureKeyboard_.onClick(id);
            break;
    }
}

}  // namespace harfpad
