#include "app/SettingPage.h"

namespace harfpad::setting_page {

namespace {
using K = ControlKind;

// Twips; frames relative to the page, the rest relative to their frame. Listed in the order
// the Tab key visits them.
constexpr ControlSpec kControls[] = {
    {kFrame6, K::Frame, u"Taskbar", {480, 1260, 5415, 855}},
    {kIndicator, K::CheckBox, u"Enable indicator on task bar", {120, 240, 3615, 495}, kFrame6},
    {kFrame1, K::Frame, u"Keyboard Switching", {480, 2340, 5415, 2055}},
    {kOption1,
     K::OptionButton,
     u"Left Alt+Shift",
     {360, 360, 1575, 375},
     kFrame1,
     nullptr,
     kStyleGroupStart},
    {kOption2, K::OptionButton, u"Ctrl + Shift", {360, 720, 1335, 375}, kFrame1},
    {kOption3, K::OptionButton, u"Disable key switching", {360, 1200, 2175, 255}, kFrame1},
    {kLabel26,
     K::Label,
     u"Keyboard switching is used to switch  between   the  default language   and   the     "
     u"arabic language using the keyboard.",
     {2760, 480, 2415, 975},
     kFrame1},
    {kFrame5, K::Frame, u"Switch", {480, 4500, 5175, 1095}},
    {kARswitch, K::Button, u"Switch to arabic", {600, 360, 1815, 495}, kFrame5},
    {kEnswitch, K::Button, u"Switch to Default", {3120, 360, 1575, 495}, kFrame5},
    {kDefault, K::Button, u"DEFAULT", {2640, 6060, 1095, 495}},
    {kApply, K::Button, u"APPLY", {3960, 6060, 1455, 495}},
};
}  // namespace

std::span<const ControlSpec> controls() {
    return kControls;
}

}  // namespace harfpad::setting_page
