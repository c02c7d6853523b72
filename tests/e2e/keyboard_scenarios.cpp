// The picture keyboard as the screen shows it, in the colour scheme a user has set.
#include <windows.h>

#include <algorithm>
#include <map>
#include <thread>

#include "Fixture.h"

namespace e2e {
namespace {

constexpr const wchar_t* kColours = L"Control Panel\\Colors";

// Selected text and button text both white, as a user may tune a high-contrast theme (a program
// reads HKCU\Control Panel\Colors as it starts): every legend still stands out from its key. A
// scheme changed while the program runs is the Wine keyboards test's, as Wine keeps system
// colours per process where Windows shares them.
TEST_F(HarfpadTest, LegendsStandOutInAnyColourScheme) {
    // The scheme while the test runs; the values before are put back when it ends.
    struct Scheme {
        std::map<std::wstring, std::wstring> saved{{L"HilightText", {}}, {L"ButtonText", {}}};
        Scheme() {
            for (auto& [name, value] : saved) {
                wchar_t old[64] = {};
                DWORD size = sizeof old;
                ::RegGetValueW(HKEY_CURRENT_USER, kColours, name.c_str(), RRF_RT_REG_SZ, nullptr,
                               old, &size);
                value = old;
                store(name, L"255 255 255");
            }
        }
        ~Scheme() {
            for (const auto& [name, value] : saved) store(name, value);
        }
        static void store(const std::wstring& name, const std::wstring& value) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kColours, name.c_str(), REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        }
    } const scheme;
    start();
    openPage(L"KB Testing");
    std::this_thread::sleep_for(300ms);
    int keys = 0;
    for (HWND key : descendants(page(L"KB Testing"))) {
        if (className(key) != L"Button" || !(::GetWindowLongW(key, GWL_STYLE) & BS_BITMAP))
            continue;
        ++keys;
        // The key's face inside its border, where its picture is.
        RECT r;
        ::GetWindowRect(key, &r);
        const int side = std::min(r.right - r.left, r.bottom - r.top) - 6;
        const int x = (r.left + r.right - side) / 2, y = (r.top + r.bottom - side) / 2;
        const auto shot = capture({x, y, x + side, y + side});
        ASSERT_TRUE(shot);
        std::map<COLORREF, int> counts;
        for (COLORREF pixel : shot->pixels) ++counts[pixel];
        const COLORREF face = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                  return a.second < b.second;
                              })->first;
        EXPECT_EQ(face, RGB(255, 255, 255));
        // On the white face a legend that stands out is dark; a hyphen's is short, so one dark
        // pixel shows it (how much contrast the chosen colour has is the native tests' part).
        EXPECT_TRUE(std::any_of(shot->pixels.begin(), shot->pixels.end(),
                                [](COLORREF pixel) {
                                    return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) <
                                           3 * 128;
                                }))
            << "legend of " << key;
    }
    EXPECT_EQ(keys, 47);
}

}  // namespace
}  // namespace e2e
