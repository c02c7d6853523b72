// The real main window in this process: layout, start-up, the Setting page's buttons.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "support/Win32Form1Platform.h"
#include "support/WineTest.h"
#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackPage.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "platform/Twips.h"

namespace harfpad {
namespace {

namespace sp = setting_page;

class WineForm1Test : public wine_test::Form1Test {
  protected:
    // Direct calls: starting reg.exe while this thread owns windows is slow under Wine.
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kToggle);
        ::RegDeleteTreeW(HKEY_USERS, kDefaultToggle);
    }
    void TearDown() override {
        Form1Test::TearDown();
        SetUp();
    }
    static constexpr const wchar_t* kToggle = L"keyboard layout\\toggle";
    static constexpr const wchar_t* kDefaultToggle = L".default\\keyboard layout\\toggle";
    // A REG_SZ value as the registry holds it, none when it is missing.
    static std::optional<std::string> storedText(HKEY root, const char* key, const char* name) {
        char text[64] = {};
        DWORD size = sizeof text;
        if (::RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(text);
    }

    Form1 form{platform()};
};

// Windows keeps the current user's hotkey in the named value "Hotkey"; APPLY stores it there
// and in the default profile, and DEFAULT then shows it. An older tool's unnamed value beside
// it is not what Windows uses.
TEST_F(WineForm1Test, TheCurrentUsersNamedHotkeyIsShownAndStored) {
    const wchar_t one[] = L"1", two[] = L"2";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kToggle, L"Hotkey", REG_SZ, two, sizeof two),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kToggle, nullptr, REG_SZ, one, sizeof one),
              ERROR_SUCCESS);
    show(form);
    EXPECT_TRUE(checked(sp::kOption2));
    {
        wine_test::MessageBoxAnswerer answerer;
        click(sp::kOption1);
        click(sp::kApply);
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].text, L"Keyboard switching will be enabled on reboot");
    }
    for (const char* name : {"Hotkey", "Language Hotkey"})
        EXPECT_EQ(storedText(HKEY_CURRENT_USER, "keyboard layout\\toggle", name), "1") << name;
    EXPECT_EQ(storedText(HKEY_USERS, ".default\\keyboard layout\\toggle", nullptr), "1");
    click(sp::kOption3);
    click(sp::kDefault);
    EXPECT_TRUE(checked(sp::kOption1)) << "DEFAULT reads what APPLY stored";
}

// The wait pointer set for a request stays over every part of the window until it is reset.
TEST_F(WineForm1Test, TheWaitPointerHoldsOverTheWindowUntilReset) {
    show(form);
    const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    const auto pointerOver = [&](HWND hwnd) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        ::SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    ui.setWaitCursor(true);
    for (ControlId id : {sp::kApply, sp::kOption1, sp::kFrame1})
        EXPECT_EQ(pointerOver(control(id)), wait) << id;
    EXPECT_EQ(pointerOver(window.hwnd()), wait);
    ui.setWaitCursor(false);
    EXPECT_NE(pointerOver(control(sp::kApply)), wait);
}

TEST_F(WineForm1Test, WindowIsCentredAtItsDesignedSizeWithText4ReadingRightToLeft) {
    show(form);
    const int dpi = window.dpi();
    RECT client;
    ::GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, twipsToPixels(6930, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(7245, dpi));
    RECT outer;
    ::GetWindowRect(window.hwnd(), &outer);
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromWindow(window.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (work.top + work.bottom) / 2, 1);
    window.selectPage(kPageKbTesting);
    HWND text4 = control(picture_page::kText4);
    EXPECT_TRUE(::GetWindowLongW(text4, GWL_EXSTYLE) & WS_EX_RTLREADING) << "Arabic reading order";
    EXPECT_TRUE(::GetWindowLongW(text4, GWL_STYLE) & ES_RIGHT);
}

// The Setting page's tab stops in visual order (the text boxes' are the Escape test's).
TEST_F(WineForm1Test, TabKeyVisitsTheSettingPageInVisualOrder) {
    show(form);
    const ControlId order[] = {sp::kIndicator, sp::kOption1, sp::kARswitch,
                               sp::kEnswitch,  sp::kDefault, sp::kApply};
    HWND current = control(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = ::GetNextDlgTabItem(window.hwnd(), current, FALSE);
        EXPECT_EQ(current, control(order[i])) << "step " << i;
    }
}

TEST_F(WineForm1Test, PagesAreBuiltWhenFirstShownWithWhatWasSetOnThemBefore) {
    show(form);
    const auto pageWindows = [&] {
        int count = 0;
        for (HWND child = ::GetWindow(window.hwnd(), GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[32] = {};
            ::GetClassNameW(child, name, 32);
            count += std::wstring(name) == L"HarfpadPage";
        }
        return count;
    };
    EXPECT_EQ(pageWindows(), 1) << "only the first page's window at start-up";
    ASSERT_EQ(control(feedback_page::kText1Feedback), nullptr) << "not built at start-up";
    EXPECT_EQ(window.fontCharset(picture_page::kText4), 178) << "set at start-up";
    window.setText(feedback_page::kText1Feedback, u"kept & shown");
    window.setEnabled(feedback_page::kSubmit, false);
    EXPECT_EQ(window.text(feedback_page::kText1Feedback), u"kept & shown");
    EXPECT_EQ(window.text(feedback_page::kSubmit), u"Send") << "the designed caption";
    EXPECT_FALSE(window.isEnabled(feedback_page::kSubmit));

    window.selectPage(kPageFeedback);
    ASSERT_NE(control(feedback_page::kText1Feedback), nullptr);
    wchar_t text[32] = {};
    ::GetWindowTextW(control(feedback_page::kText1Feedback), text, 32);
    EXPECT_EQ(std::wstring(text), L"kept & shown");
    EXPECT_FALSE(::IsWindowEnabled(control(feedback_page::kSubmit)));
    EXPECT_EQ(pageWindows(), 2);
    window.selectPage(kPageKbTesting);
    EXPECT_EQ(window.fontCharset(picture_page::kText4), 178) << "the font it was built with";
}

// Real keys in every text box: Escape leaves the page, its text and the focus as they were (a
// multi-line edit posts WM_CLOSE to its parent on Escape); Tab and Shift+Tab go to the next and
// the previous tab stop (kNoControl: the tab strip), and the focus is shown from then on.
TEST_F(WineForm1Test, EscapeKeepsEveryTextBoxAndTabLeavesIt) {
    show(form);
    ::SetForegroundWindow(window.hwnd());
    namespace fp = feedback_page;
    // The page, the box, the tab stops before and after it.
    const std::tuple<int, ControlId, ControlId, ControlId> rows[] = {
        {kPageKbTesting, picture_page::kText4, picture_page::keyId(0), kNoControl},
        {kPageFeedback, fp::kText1Name, kNoControl, fp::kText1Email},
        {kPageFeedback, fp::kText1Email, fp::kText1Name, fp::kText1Feedback},
        {kPageFeedback, fp::kText1Feedback, fp::kText1Email, fp::kSubmit},
        {kPageUnicodeTesting, unicode_page::kTxtarabic, unicode_page::characterKeyId(0),
         kNoControl}};
    const auto hwnd = [&](ControlId id) { return id == kNoControl ? tabStrip() : control(id); };
    for (const auto& [page, box, previous, next] : rows) {
        window.selectPage(page);
        window.setText(box, u"kept");
        ::SetFocus(control(box));
        ::SendMessageW(window.hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
        tap(VK_ESCAPE);
        ASSERT_TRUE(::IsWindowVisible(control(box))) << box;
        EXPECT_EQ(window.text(box), u"kept");
        EXPECT_EQ(::GetFocus(), control(box));
        tap(VK_TAB);
        EXPECT_EQ(::GetFocus(), hwnd(next)) << box;
        EXPECT_FALSE(::SendMessageW(window.hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
        tap(VK_TAB, VK_SHIFT);
        tap(VK_TAB, VK_SHIFT);
        EXPECT_EQ(::GetFocus(), hwnd(previous)) << box;
    }
    // Ctrl+Tab, Ctrl+PageDown and Ctrl+PageUp switch pages, from a multi-line box too, round the
    // ends; only the selected page shows.
    ::SetFocus(control(unicode_page::kTxtarabic));
    for (const auto& [vk, page] : {std::pair<BYTE, int>{VK_TAB, kPageOtherProducts},
                                   {VK_NEXT, kPageSetting},
                                   {VK_PRIOR, kPageOtherProducts}}) {
        tap(vk, VK_CONTROL);
        EXPECT_EQ(window.selectedPage(), page) << +vk;
    }
    EXPECT_FALSE(::IsWindowVisible(control(unicode_page::kTxtarabic)));
}

}  // namespace
}  // namespace harfpad
