#include "keyboard/PictureKeyboardPage.h"

namespace harfpad::picture_page {

namespace {
using K = ControlKind;

constexpr ControlSpec kControls[] = {
    {kFrame4, K::Frame, u"", {360, 1320, 5895, 5655}},
    {kText4, K::MultiLineText, u"", {120, 3000, 5655, 1695}, kFrame4, nullptr, kStyleVScroll},
};
}  // namespace

std::span<const ControlSpec> controls() {
    return kControls;
}

}  // namespace harfpad::picture_page
