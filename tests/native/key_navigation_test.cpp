// The arrows, Home and End over the two on-screen keyboards: where each key stands on a 101-key
// keyboard decides which key comes next.
#include <gtest/gtest.h>

#include "keyboard/KeyNavigation.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"

namespace harfpad {
namespace {

namespace pp = picture_page;
namespace up = unicode_page;
using N = NavigationKey;

TEST(KeyNavigation, ArrowsHomeAndEndFollowTheKeyboardsRows) {
    const auto p = [](int index) { return pp::keyId(index); };
    const auto u = [](int n) { return up::characterKeyId(n); };  // 13 = Q, 41 = B
    const struct {
        bool unicode;
        ControlId from;
        NavigationKey key;
        ControlId to;
    } rows[] = {
        {false, p(0), N::Right, p(1)},
        {false, p(0), N::Left, p(0)},     // the row's left end
        {false, p(12), N::Right, p(13)},  // = to Backspace
        {false, p(13), N::Right, p(13)},
        {false, p(0), N::Up, p(0)},
        {false, p(0), N::Down, p(14)},   // grave accent to Tab
        {false, p(13), N::Down, p(27)},  // Backspace to backslash
        {false, p(15), N::Up, p(2)},     // Q under 2
        {false, p(29), N::Up, p(16)},    // A nearer W than Q
        {false, p(41), N::Down, p(42)},  // left Shift to left Ctrl
        {false, p(54), N::Up, p(47)},    // Space to B
        {false, p(54), N::Down, p(54)},
        {false, p(30), N::Home, p(28)},     // S to Capslock
        {false, p(30), N::End, p(40)},      // S to Enter
        {true, u(0), N::Down, up::kCmd15},  // grave accent to Tab
        {true, up::kCmd15, N::Right, u(13)},
        {true, up::kCmdspaceb, N::Up, u(41)},
        {true, up::kCmd53, N::End, up::kCmd42},
        {true, up::kCmd13, N::Down, u(25)},           // Backspace to backslash
        {true, up::kTxtarabic, N::Left, kNoControl},  // not a key
    };
    for (const auto& row : rows) {
        const auto page = row.unicode ? up::controls() : pp::controls();
        EXPECT_EQ(nextKey(page, row.from, row.key), row.to)
            << row.from << " key " << static_cast<int>(row.key);
    }
}

}  // namespace
}  // namespace harfpad
