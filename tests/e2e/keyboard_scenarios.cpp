// The picture keyboard as the screen shows it, in the colour scheme a user has set.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <thread>

#include "Fixture.h"

namespace e2e {
namespace {

// A colour scheme in HKCU\Control Panel\Colors, which a program reads as it starts; the values
// there before are put back.
class ColourScheme {
  public:
    explicit ColourScheme(std::map<std::wstring, std::wstring> colours) {
        for (const auto& [name, value] : colours) {
            wchar_t old[64] = {};
            DWORD size = sizeof old;
            saved_[name] = ::RegGetValueW(HKEY_CURRENT_USER, kKey, name.c_str(), RRF_RT_REG_SZ,
                                          nullptr, old, &size) == ERROR_SUCCESS
                               ? std::optional<std::wstring>(old)
                               : std::nullopt;
            store(name, value);
        }
    }
    ~ColourScheme() {
        for (const auto& [name, value] : saved_) {
            if (value)
                store(name, *value);
            else
                ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, name.c_str());
        }
    }

  private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Colors";
    static void store(const std::wstring& name, const std::wstring& value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name.c_str(), REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    std::map<std::wstring, std::optional<std::wstring>> saved_;
};

double luminance(COLORREF c) {
    auto linear = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) +
           0.0722 * linear(GetBValue(c));
}

// WCAG's contrast ratio of two colours.
double contrast(COLORREF a, COLORREF b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class KeyboardScenarios : public HarfpadTest {
  protected:
    // The 47 picture keys of "KB Testing".
    std::vector<HWND> pictureKeys() const {
        std::vector<HWND> keys;
        for (HWND child : descendants(page(L"KB Testing")))
            if (className(child) == L"Button" && (::GetWindowLongW(child, GWL_STYLE) & BS_BITMAP))
                keys.push_back(child);
        return keys;
    }
    struct Picture {
        COLORREF background = 0;
        int legendPixels = 0;  // standing out from the background by 3:1
    };
    // A key's face inside its border, where its picture is.
    static Picture pictureOf(HWND key) {
        RECT r;
        ::GetWindowRect(key, &r);
        const int side = std::min(r.right - r.left, r.bottom - r.top) - 6;
        const int x = (r.left + r.right - side) / 2, y = (r.top + r.bottom - side) / 2;
        const auto shot = capture({x, y, x + side, y + side});
        Picture picture;
        if (!shot)
            return picture;
        std::map<COLORREF, int> counts;
        for (COLORREF pixel : shot->pixels) ++counts[pixel];
        picture.background = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                 return a.second < b.second;
                             })->first;
        for (COLORREF pixel : shot->pixels)
            picture.legendPixels += contrast(pixel, picture.background) >= 3.0 ? 1 : 0;
        return picture;
    }
};

// Selected text and button text both white, as a user may tune a high-contrast theme: every
// legend still stands out from its key. (A scheme changed while the program runs is the Wine
// keyboards test's: Wine keeps system colours per process, where Windows shares them.)
TEST_F(KeyboardScenarios, LegendsStandOutInAnyColourScheme) {
    const ColourScheme scheme({{L"HilightText", L"255 255 255"}, {L"ButtonText", L"255 255 255"}});
    start();
    openPage(L"KB Testing");
    const auto keys = pictureKeys();
    ASSERT_EQ(keys.size(), 47u);
    std::this_thread::sleep_for(300ms);
    for (HWND key : keys) {
        const Picture picture = pictureOf(key);
        EXPECT_EQ(picture.background, RGB(255, 255, 255));
        EXPECT_GE(picture.legendPixels, 1) << "legend of " << key;  // a hyphen is short
    }
}

}  // namespace
}  // namespace e2e
