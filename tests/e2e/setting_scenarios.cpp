// Start-up and every page, driven from outside.
#include <windows.h>
#include <commctrl.h>

#include "Fixture.h"

namespace e2e {
namespace {

const wchar_t* const kOptions[] = {L"Left Alt+Shift", L"Ctrl + Shift", L"Disable key switching"};

class SettingScenarios : public HarfpadTest {
  protected:
    int selectedOption() const {
        int selected = 0;
        for (int i = 0; i < 3; ++i) {
            if (isChecked(control(kOptions[i]))) {
                EXPECT_EQ(selected, 0) << "more than one option selected";
                selected = i + 1;
            }
        }
        return selected;
    }
};

TEST_F(SettingScenarios, StartUpShowsTheWindowWithItsPagesAndTheStoredOption) {
    storeText(HKEY_CURRENT_USER, kToggleKey, nullptr, L"2");
    start();
    EXPECT_EQ(windowText(main), L"Harfpad by Zemrak");
    Tabs tabs(*program, main);
    const wchar_t* pages[] = {L"Setting",  L"KB Testing",      L"About",
                              L"Feedback", L"Unicode Testing", L"Other Products"};
    ASSERT_EQ(tabs.count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(tabs.caption(i), pages[i]);
    EXPECT_EQ(tabs.selected(), 0);
    EXPECT_EQ(selectedOption(), 2);
    HWND indicator = control(L"Enable indicator on task bar");
    ASSERT_NE(indicator, nullptr);
    EXPECT_FALSE(isChecked(indicator));
    EXPECT_EQ(program->topLevelWindows(true).size(), 1u) << "only the main window is visible";
    EXPECT_GT(program->startUpTime().count(), 0);
}

TEST_F(SettingScenarios, EveryPageCanBeShownAndPhotographed) {
    start();
    Tabs tabs(*program, main);
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
    for (int i = 0; i < tabs.count() && i < 6; ++i) {
        tabs.select(i);
        EXPECT_EQ(tabs.selected(), i);
        screenshot(std::wstring(L"page-") + names[i]);
    }
}

}  // namespace
}  // namespace e2e
