#include "app/Form1.h"

#include "app/Form1Layout.h"
#include "app/InfoPages.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackPage.h"
#include "keyboard/KeyNavigation.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"

namespace harfpad {

Form1::Form1(const Form1Platform& platform)
    : window_(platform.window),
      ui_(platform.ui),
      keystrokes_(platform.keystrokes),
      registry_(platform.registry),
      switcher_(platform.layouts, registry_),
      hotkeys_(platform.window, platform.ui, registry_,
               {setting_page::kOption1, setting_page::kOption2, setting_page::kOption3}),
      unicodeKeyboard_(platform.window, platform.names, platform.keyInput, platform.codePage),
      pictureKeyboard_(platform.window, platform.names, platform.keyInput, platform.codePage,
                       platform.keystrokes, [this] { ARswitch_Click(); }),
      feedback_(platform.window, platform.names, platform.ui, platform.http,
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
    pictureKeyboard_.load();
    feedback_.load();
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

namespace {
// The handlers of the "Setting", "Feedback" and "Other Products" pages; the keyboards keep
// theirs beside their own pages.
constexpr ClickRow<Form1> kClicks[] = {
    {setting_page::kARswitch, setting_page::kARswitch,
     [](Form1& f, ControlId) { f.ARswitch_Click(); }},
    {setting_page::kEnswitch, setting_page::kEnswitch,
     [](Form1& f, ControlId) { f.Enswitch_Click(); }},
    {setting_page::kDefault, setting_page::kDefault,
     [](Form1& f, ControlId) { f.Default_Click(); }},
    {setting_page::kApply, setting_page::kApply, [](Form1& f, ControlId) { f.apply_Click(); }},
    {setting_page::kIndicator, setting_page::kIndicator,
     [](Form1& f, ControlId) { f.Indicator_Click(); }},
    {feedback_page::kSubmit, feedback_page::kSubmit, [](Form1& f, ControlId) { f.submit_Click(); }},
    {info_pages::kProductsAsk, info_pages::kProductsAsk,
     [](Form1& f, ControlId) { f.productsAsk_Click(); }},
};
}  // namespace

void Form1::onClick(ControlId id) {
    dispatchClick<Form1>(kClicks, *this, id) ||
        dispatchClick(UnicodeKeyboard::clicks(), unicodeKeyboard_, id) ||
        dispatchClick(PictureKeyboard::clicks(), pictureKeyboard_, id);
}

void Form1::onKeyPress(ControlId id) {
    onClick(id);
    giveFocusBack(window_, keystrokes_, id);
}

ControlId Form1::onNavigate(ControlId from, NavigationKey key) {
    for (const auto page : {picture_page::controls(), unicode_page::controls()}) {
        if (const ControlId to = nextKey(page, from, key); to != kNoControl)
            return to;
    }
    return kNoControl;
}

}  // namespace harfpad
