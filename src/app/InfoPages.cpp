#include "app/InfoPages.h"

#include "BuildConfig.h"

namespace harfpad::info_pages {

namespace {
using K = ControlKind;

constexpr FontSpec kTitleFont{u"Times New Roman", 1800, true};

constexpr ControlSpec kAbout[] = {
    {kAboutTitle, K::Label, u"Harfpad", {480, 1320, 5895, 495}, kNoControl, &kTitleFont},
    {kAboutVersion, K::Label, u"Version " HARFPAD_VERSION_TEXT, {480, 1920, 5895, 300}},
    {kAboutText,
     K::Label,
     u"Harfpad by Zemrak Software helps you type Arabic on a computer whose everyday keyboard "
     u"is another language. It switches the keyboard to Arabic and back, shows and changes the "
     u"Windows layout-switching hotkey, and offers two on-screen keyboards to check that Arabic "
     u"input works.\r\n\r\nZemrak Software makes small tools for writing Arabic on Windows.",
     {480, 2400, 5895, 2400}},
    {kAboutFeedbackNote, K::Label, nullptr, {480, 4920, 5895, 495}},
};

constexpr ControlSpec kProducts[] = {
    {kProductsText,
     K::Label,
     u"Zemrak Software makes other tools for writing Arabic on Windows. Ask us about them, or "
     u"tell us what you would like us to make next: the button below starts a message on the "
     u"Feedback page.",
     {480, 1320, 5895, 1500}},
    {kProductsAsk, K::Button, u"Ask about other products", {480, 3000, 2775, 495}},
};
}  // namespace

std::span<const ControlSpec> aboutControls() {
    return kAbout;
}
std::span<const ControlSpec> otherProductsControls() {
    return kProducts;
}

}  // namespace harfpad::info_pages
