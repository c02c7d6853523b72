#include "keyboard/PictureKeyboardPage.h"

#include "keyboard/LegendPicture.h"

#include <array>

namespace harfpad::picture_page {

namespace {
using K = ControlKind;
using A = KeyAction;

constexpr A send(const char16_t* text) {
    return {A::SendText, text, 0};
}
constexpr A tap(int virtualKey) {
    return {A::TapKey, nullptr, virtualKey};
}
constexpr A nothing{};

// Legends are the Arabic letters and, on the digit keys, the Arabic-Indic digits, although
// those keys type ASCII digits.
constexpr std::array<PictureKey, kKeyCount> kKeys = {{
    {u"\u0630", true, send(u"\u0630")},  // 0: left of 1
    {u"\u0661", true, send(u"1")},
    {u"\u0662", true, send(u"2")},
    {u"\u0663", true, send(u"3")},
    {u"\u0664", true, send(u"4")},
    {u"\u0665", true, send(u"5")},
    {u"\u0666", true, send(u"6")},
    {u"\u0667", true, send(u"7")},
    {u"\u0668", true, send(u"8")},
    {u"\u0669", true, send(u"9")},
    {u"\u0660", true, send(u"0")},  // 10
    {u"-", true, send(u"-")},
    {u"=", true, send(u"=")},
    {u"Backspace", false, tap(8)},
    {u"Tab", false, send(u"     ")},     // five spaces
    {u"\u0636", true, send(u"\u0636")},  // 15: Q
    {u"\u0635", true, send(u"\u0635")},
    {u"\u062B", true, send(u"\u062B")},
    {u"\u0642", true, send(u"\u0642")},
    {u"\u0641", true, send(u"\u0641")},
    {u"\u063A", true, send(u"\u063A")},  // 20: Y
    {u"\u0639", true, send(u"\u0639")},
    {u"\u0647", true, send(u"\u0647")},
    {u"\u062E", true, send(u"\u062E")},
    {u"\u062D", true, send(u"\u062D")},
    {u"\u062C", true, send(u"\u062C")},  // 25: [
    {u"\u062F", true, send(u"\u062F")},
    {u"\\", true, send(u"\\")},
    {u"Capslock", false, tap(20)},
    {u"\u0634", true, send(u"\u0634")},  // 29: A
    {u"\u0633", true, send(u"\u0633")},  // 30
    {u"\u064A", true, send(u"\u064A")},
    {u"\u0628", true, send(u"\u0628")},
    {u"\u0644", true, send(u"\u0644")},
    {u"\u0627", true, send(u"\u0627")},
    {u"\u062A", true, send(u"\u062A")},  // 35: J
    {u"\u0646", true, send(u"\u0646")},
    {u"\u0645", true, send(u"\u0645")},
    {u"\u0643", true, send(u"\u0643")},
    {u"\u0637", true, send(u"\u0637")},
    {u"Enter", false, send(u"{enter}")},  // 40
    {u"Shift", false, nothing},
    {u"Ctrl", false, nothing},
    {u"\u0626", true, send(u"\u0626")},  // 43: Z
    {u"\u0621", true, send(u"\u0621")},
    {u"\u0624", true, send(u"\u0624")},  // 45
    {u"\u0631", true, send(u"\u0631")},
    {u"\u0644\u0627", true, send(u"\u0644\u0627")},  // B: two characters in one call
    {u"\u0649", true, send(u"\u0649")},
    {u"\u0629", true, send(u"\u0629")},
    {u"\u0648", true, send(u"\u0648")},  // 50: comma key
    {u"\u0632", true, send(u"\u0632")},
    {u"\u0638", true, send(u"\u0638")},
    {u"Shift", false, nothing},
    {u"Space", false, send(u" ")},
    {u"ALT", false, nothing},  // 55
    {u"ALT", false, nothing},
    {u"Ctrl", false, nothing},
}};

constexpr FontSpec kSpecialKeyFont{u"Times New Roman", 900, true};
constexpr int kRowTops[] = {240, 720, 1200, 1680, 2160};
constexpr int kKeyHeight = 495;
constexpr int kKeyPitch = 360;
constexpr int kCharacterKeyWidth = 350;

// Where a key stands in its row: (index, left, width); character keys in a run.
struct Placement {
    int index;
    int left;
    int width;
};

// Visual order, row by row, left to right.
constexpr auto kPlacements = [] {
    std::array<std::array<Placement, 15>, 5> rows{};
    std::array<int, 5> counts{};
    auto put = [&](int row, int index, int left, int width) {
        rows[row][counts[row]++] = {index, left, width};
    };
    auto run = [&](int row, int first, int last, int left) {
        for (int i = first; i <= last; ++i)
            put(row, i, left + (i - first) * kKeyPitch, kCharacterKeyWidth);
    };
    run(0, 0, 12, 120);
    put(0, 13, 4800, 975);  // Backspace
    put(1, 14, 120, 735);   // Tab
    run(1, 15, 26, 840);
    put(1, 27, 5160, 615);  // backslash
    put(2, 28, 120, 975);   // Capslock
    run(2, 29, 39, 1080);
    put(2, 40, 5040, 735);  // Enter
    put(3, 41, 120, 1095);  // left Shift
    run(3, 43, 52, 1200);
    put(3, 53, 4800, 975);   // right Shift
    put(4, 42, 120, 615);    // left Ctrl
    put(4, 55, 720, 615);    // left ALT
    put(4, 54, 1320, 3255);  // Space
    put(4, 56, 4560, 615);   // right ALT
    put(4, 57, 5160, 615);   // right Ctrl
    std::array<std::pair<int, Placement>, kKeyCount> ordered{};
    int n = 0;
    for (int row = 0; row < 5; ++row)
        for (int k = 0; k < counts[row]; ++k) ordered[n++] = {row, rows[row][k]};
    return ordered;
}();

constexpr auto kControls = [] {
    std::array<ControlSpec, kKeyCount + 2> controls{};
    controls[0] = {kFrame4, K::Frame, u"", {360, 1320, 5895, 5655}};
    for (int n = 0; n < kKeyCount; ++n) {
        const auto& [row, place] = kPlacements[n];
        const PictureKey& key = kKeys[place.index];
        controls[n + 1] = {keyId(place.index),
                           key.picture ? K::PictureButton : K::Button,
                           key.legend,
                           {place.left, kRowTops[row], place.width, kKeyHeight},
                           kFrame4,
                           key.picture ? nullptr : &kSpecialKeyFont,
                           kStyleRovingTabStop,  // the keyboard is one tab stop
                           key.picture ? &kLegendPicture : nullptr};
    }
    // Arabic reads right to left from the right edge, as on the Unicode keyboard's page.
    controls[kKeyCount + 1] = {kText4,
                               K::MultiLineText,
                               u"",
                               {120, 3000, 5655, 1695},
                               kFrame4,
                               nullptr,
                               kStyleVScroll | kStyleRightAligned | kStyleRightToLeft};
    return controls;
}();
}  // namespace

std::span<const PictureKey, kKeyCount> keys() {
    return kKeys;
}

std::span<const ControlSpec> controls() {
    return kControls;
}

}  // namespace harfpad::picture_page
