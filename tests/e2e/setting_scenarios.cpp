// Start-up and every page, driven from outside.
#include <windows.h>
#include <commctrl.h>

#include "Fixture.h"

namespace e2e {
namespace {

class SettingScenarios : public HarfpadTest {};

// Start-up shows the main window alone, on its first page with the stored option; then every
// page is shown and photographed.
TEST_F(SettingScenarios, EveryPageCanBeShownAndPhotographed) {
    storeText(HKEY_CURRENT_USER, kToggleKey, nullptr, L"2");
    start();
    EXPECT_EQ(windowText(main), L"Harfpad by Zemrak");
    EXPECT_EQ(program->topLevelWindows(true).size(), 1u) << "only the main window is visible";
    for (const wchar_t* option : {L"Left Alt+Shift", L"Ctrl + Shift", L"Disable key switching"})
        EXPECT_EQ(isChecked(control(option)), std::wstring(option) == L"Ctrl + Shift");
    Tabs tabs(*program, main);
    ASSERT_EQ(tabs.count(), 6);
    EXPECT_EQ(tabs.selected(), 0);
    const wchar_t* names[] = {L"setting",  L"kb-testing",      L"about",
                              L"feedback", L"unicode-testing", L"other-products"};
    // Something typed on both keyboards, so the pictures show the text boxes in use.
    for (const wchar_t* keyboard : {L"KB Testing", L"Unicode Testing"}) {
        openPage(keyboard);
        for (const wchar_t* legend : {L"\u0645", L"\u0631", L"\u062D", L"\u0628", L"\u0627"}) {
            HWND key = pageControl(keyboard, legend);
            ASSERT_NE(key, nullptr);
            click(key);
        }
    }
    for (int i = 0; i < 6; ++i) {
        tabs.select(i);
        EXPECT_EQ(tabs.selected(), i);
        screenshot(std::wstring(L"page-") + names[i]);
    }
}

}  // namespace
}  // namespace e2e
