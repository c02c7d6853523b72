#include "keyboard/UnicodeKeyboardPage.h"

#include <array>

namespace harfpad::unicode_page {

namespace {
using K = ControlKind;

constexpr std::array<CharacterKey, kCharacterKeyCount> kKeys = {{
    // Row 1: grave accent key, digits, minus, equals.
    {"cmd1", u"\u0630", u"\u0651"},
    {"cmd2", u"\u0661", u"!"},
    {"cmd4", u"\u0662", u"@"},
    {"cmd3", u"\u0663", u"#"},
    {"cmd6", u"\u0664", u"$"},
    {"cmd5", u"\u0665", u"%"},
    {"cmd8", u"\u0666", u"^"},
    {"cmd7", u"\u0667", u"&"},
    {"cmd10", u"\u0668", u"*"},
    {"cmd9", u"\u0669", u"("},
    {"cmd12", u"\u0660", u")"},
    {"cmd11", u"-", u"_"},
    {"cmd14", u"=", u"+"},
    // Row 2: Q to the right bracket, then the backslash key.
    {"cmdq", u"\u0636", u"\u064E"},
    {"cmdw", u"\u0635", u"\u064B"},
    {"cmde", u"\u062B", u"\u064F"},
    {"cmdr", u"\u0642", u"\u064C"},
    {"cmdt", u"\u0641", u"\u0644\u0625"},
    {"cmdy", u"\u063A", u"\u0625"},
    {"cmdu", u"\u0639", u"\u066C"},
    {"cmdi", u"\u0647", u"\u00F7"},
    {"cmdo", u"\u062E", u"\u00D7"},
    {"cmdp", u"\u062D", u"\u061B"},
    {"cmd26", u"\u062C", u">"},
    {"cmd27", u"\u062F", u"<"},
    {"cmd43", u"\\", u"|"},
    // Row 3: A to the apostrophe key.
    {"cmda", u"\u0634", u"\u0650"},
    {"cmds", u"\u0633", u"\u064D"},
    {"cmdd", u"\u064A", u"["},
    {"cmdf", u"\u0628", u"]"},
    {"cmdg", u"\u0644", u"\u0644\u0623"},
    {"cmdh", u"\u0627", u"\u0623"},
    {"cmdj", u"\u062A", u"-"},
    {"cmdk", u"\u0646", u"\u060C"},
    {"cmdl", u"\u0645", u"/"},
    {"cmd30", u"\u0643", u":"},
    {"cmd24", u"\u0637", u"\""},
    // Row 4: Z to the slash key.
    {"cmdz", u"\u0626", u"~"},
    {"cmdx", u"\u0621", u"\u0652"},
    {"cmdc", u"\u0624", u"{"},
    {"cmdv", u"\u0631", u"}"},
    {"cmdb", u"\u0644\u0627", u"\u0644\u0622"},
    {"cmdn", u"\u0649", u"\u0622"},
    {"cmdm", u"\u0629", u"\u060C"},
    {"cmdcoma", u"\u0648", u"\u066B"},
    {"cmdfulls", u"\u0632", u"."},
    {"cmdqmark", u"\u0638", u"\u061F"},
}};

constexpr FontSpec kCharacterKeyFont{u"Microsoft Sans Serif", 825, false};
constexpr FontSpec kBackslashKeyFont{u"Times New Roman", 1425, true};
constexpr FontSpec kSpecialKeyFont{u"Times New Roman", 900, true};
constexpr FontSpec kTextFont{u"Nafees Nasta'leeq", 1800, true};

constexpr int kRowTops[] = {240, 720, 1200, 1680, 2160};
constexpr int kKeyHeight = 495;
constexpr int kKeyPitch = 360;
constexpr int kCharacterKeyWidth = 345;

constexpr auto kControls = [] {
    std::array<ControlSpec, 3 + kCharacterKeyCount + 11> controls{};
    int n = 0;
    int key = 0;
    // The keyboard is one tab stop.
    constexpr unsigned kKey = kStyleRovingTabStop;
    auto special = [&](ControlId id, const char16_t* caption, int row, int left, int width,
                       int height = kKeyHeight) {
        // Both Shift keys and Capslock look pressed, and read as checked, while Shift is on.
        const bool shift = id == kCmd53 || id == kCmd42 || id == kCmd40;
        controls[n++] = {id,      shift ? K::ToggleButton : K::Button,
                         caption, {left, kRowTops[row], width, height},
                         kFrame8, &kSpecialKeyFont,
                         kKey};
    };
    auto run = [&](int row, int count, int left) {
        for (int i = 0; i < count; ++i, ++key) {
            controls[n++] = {characterKeyId(key),
                             K::Button,
                             nullptr,
                             {left + i * kKeyPitch, kRowTops[row], kCharacterKeyWidth, kKeyHeight},
                             kFrame8,
                             &kCharacterKeyFont,
                             kKey};
        }
    };
    controls[n++] = {kFrame8, K::Frame, u"", {360, 1320, 5895, 5415}};
    run(0, 13, 120);
    special(kCmd13, u"Backspace", 0, 4800, 975, 485);
    special(kCmd15, u"Tab", 1, 120, 735);
    run(1, 12, 840);
    controls[n++] = {characterKeyId(key++), K::Button, nullptr, {5160, 720, 615, 495}, kFrame8,
                     &kBackslashKeyFont,    kKey};
    special(kCmd40, u"Capslock", 2, 120, 975);
    run(2, 11, 1080);
    special(kCmd28, u"Enter", 2, 5040, 735);
    special(kCmd53, u"Shift", 3, 120, 1095);
    run(3, 10, 1200);
    special(kCmd42, u"Shift", 3, 4800, 975);
    special(kCmdctrl1, u"Ctrl", 4, 120, 615);
    special(kCmdalt1, u"ALT", 4, 720, 615);
    special(kCmdspaceb, u"Space", 4, 1320, 3255);
    special(kCmdalt2, u"ALT", 4, 4560, 615);
    special(kCmdctrl, u"Ctrl", 4, 5160, 615);
    controls[n++] = {kTxtarabic,
                     K::MultiLineText,
                     u"",
                     {120, 2880, 5655, 1815},
                     kFrame8,
                     &kTextFont,
                     kStyleHScroll | kStyleVScroll | kStyleNoLengthLimit | kStyleRightAligned |
                         kStyleRightToLeft};
    controls[n++] = {kLabel27,
                     K::Label,
                     u"If the keys above show Arabic letters, Arabic support is installed and "
                     u"you can write Arabic Unicode text.",
                     {120, 4800, 5655, 495},
                     kFrame8};
    return controls;
}();
static_assert(kControls.back().id == kLabel27, "every control has its place");
}  // namespace

std::span<const CharacterKey, kCharacterKeyCount> characterKeys() {
    return kKeys;
}

std::span<const ControlSpec> controls() {
    return kControls;
}

}  // namespace harfpad::unicode_page
