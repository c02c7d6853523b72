// Every caption of the real main window fits its control at 96, 120, 144 and 192 DPI, measured
// with the control's own font, and the window's and the tray's icons are drawn for the DPI.
// Wine takes the DPI from the prefix's LogPixels when a process starts, so the test sets it and
// runs itself once per DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdlib>
#include <process.h>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../../res/resource.h"
#include "support/Win32Form1Platform.h"
#include "support/WineTest.h"
#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackForm.h"
#include "feedback/FeedbackPage.h"
#include "feedback/FormEncoding.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "platform/Twips.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"
#include "platform/win32/Win32ShellNotify.h"
#include "platform/win32/Win32TrayWindow.h"

namespace harfpad {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kDpiVariable[] = L"HARFPAD_FIT_DPI";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The DPI this process was started to check; none in the process that starts the others.
std::optional<int> dpiToCheck() {
    wchar_t value[16] = {};
    if (::GetEnvironmentVariableW(kDpiVariable, value, 16) == 0)
        return std::nullopt;
    return std::wcstol(value, nullptr, 10);
}

std::string utf8(std::wstring_view text) {
    return feedback::toUtf8(win32::fromWide(text));
}

// The size `text` takes in the control's font; wrapped at `width` when given.
SIZE measure(HWND control, const std::wstring& text, std::optional<int> wrapWidth) {
    HDC dc = ::GetDC(control);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font);
    RECT r{0, 0, wrapWidth.value_or(0), 0};
    // Static text shows "&" as written; button captions hold "&&" for one.
    const UINT flags = wrapWidth ? DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX : DT_SINGLELINE;
    ::DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | flags);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// A visible control in front of `control` that covers part of `text` (client coordinates).
HWND coveredBy(HWND control, RECT text) {
    ::MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&text), 2);
    for (HWND above = ::GetWindow(control, GW_HWNDPREV); above;
         above = ::GetWindow(above, GW_HWNDPREV)) {
        RECT r, both;
        if (::IsWindowVisible(above) && ::GetWindowRect(above, &r) &&
            ::IntersectRect(&both, &r, &text)) {
            return above;
        }
    }
    return nullptr;
}

class FitAtOneDpi : public wine_test::Form1Test {
  protected:
    FitAtOneDpi() : Form1Test(::GetModuleHandleW(nullptr), IDI_HARFPAD) {}
    static void SetUpTestSuite() {
        // As the program's manifest declares, so that windows are laid out at the monitor's DPI.
        ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
        Form1Test::SetUpTestSuite();
    }

    // Checks the caption each control shows now against the room the control gives it.
    void checkPage(int page, const char* state = "") {
        window.selectPage(page);
        wine_test::pumpMessages(20ms);
        const int dpi = window.dpi();
        const auto scaled = [dpi](int pixelsAt96) { return ::MulDiv(pixelsAt96, dpi, 96); };
        const PageSpec& spec = form1Spec().pages[static_cast<std::size_t>(page)];
        int measured = 0;
        for (const ControlSpec& control : spec.controls) {
            HWND hwnd = window.controlHwnd(control.id);
            ASSERT_NE(hwnd, nullptr) << "control " << control.id;
            const std::wstring text = win32::windowText(hwnd);
            if (text.empty())
                continue;
            RECT client;
            ::GetClientRect(hwnd, &client);
            SIZE room{client.right, client.bottom};
            SIZE need{};
            POINT at{};  // where the text starts in the control
            switch (control.kind) {
                case ControlKind::Label:
                    need = measure(hwnd, text, room.cx);
                    break;
                case ControlKind::CheckBox:
                case ControlKind::OptionButton:
                    // The box and the gap before the caption: 13 and 3 pixels at 96 DPI.
                    room.cx -= scaled(16);
                    need = measure(hwnd, text, std::nullopt);
                    at = {scaled(16), (client.bottom - need.cy) / 2};
                    break;
                case ControlKind::Button:
                case ControlKind::ToggleButton:
                    // The raised edge and the focus rectangle inside it.
                    room.cx -= 2 * scaled(3);
                    room.cy -= 2 * scaled(3);
                    need = measure(hwnd, text, std::nullopt);
                    at = {(client.right - need.cx) / 2, (client.bottom - need.cy) / 2};
                    break;
                case ControlKind::Frame:
                    // The caption stands in the top edge, indented from both corners.
                    room.cx -= 2 * scaled(8);
                    need = measure(hwnd, text, std::nullopt);
                    at = {scaled(8), 0};
                    break;
                default:
                    continue;  // text boxes hold what the user types; picture keys show pictures
            }
            const auto where = [&] {
                return "page \"" + feedback::toUtf8(spec.caption) + "\", control " +
                       std::to_string(control.id) + " \"" + utf8(text) + "\"" + state + " at " +
                       std::to_string(dpi) + " DPI";
            };
            EXPECT_TRUE(need.cx <= room.cx && need.cy <= room.cy)
                << where() << ": needs " << need.cx << " x " << need.cy << " pixels, has "
                << room.cx << " x " << room.cy;
            const HWND cover = coveredBy(hwnd, {at.x, at.y, at.x + need.cx, at.y + need.cy});
            EXPECT_EQ(cover, nullptr) << where() << ": partly covered by the control \""
                                      << utf8(win32::windowText(cover)) << "\" in front of it";
            ++measured;
        }
        EXPECT_GT(measured, 0) << "no caption on page " << page;
    }

    win32::Win32TrayWindow trayWindow{::GetModuleHandleW(nullptr), IDI_HARFPAD};
    win32::Win32ShellNotify shell;
    TrayPlatform trayPlatform{trayWindow, shell};
    Form1 form{platform(&trayPlatform)};
};

TEST_F(FitAtOneDpi, EveryCaptionFitsItsControl) {
    const auto dpi = dpiToCheck();
    if (!dpi)
        GTEST_SKIP() << "run by FitTest once for each DPI";
    show(form);
    ASSERT_EQ(window.dpi(), *dpi) << "the prefix's LogPixels did not reach the window";
    const int pages = static_cast<int>(form1Spec().pages.size());
    for (int page = 0; page < pages; ++page) checkPage(page);

    // The statuses the Feedback page's labels take while the program runs.
    namespace fp = feedback_page;
    for (const char16_t* status : {feedback::kConnectionSuccess, feedback::kConnectionFail}) {
        window.setText(fp::kLabel21, status);
        checkPage(kPageFeedback, " (connection status)");
    }
    for (const char16_t* status :
         {feedback::kSending, feedback::kReceived, feedback::kTransmissionError}) {
        window.setText(fp::kLabel10, status);
        checkPage(kPageFeedback, " (transmission status)");
    }
    // The Unicode keys' shifted captions.
    window.selectPage(kPageUnicodeTesting);
    ::SendMessageW(window.controlHwnd(unicode_page::kCmd53), BM_CLICK, 0, 0);
    checkPage(kPageUnicodeTesting, " (shifted)");
}

// Messages that reached a window holding a deleted font (learn.microsoft.com: WM_SETFONT, the
// font is deleted "when it is no longer needed"; GetObject fails on a handle no longer valid).
std::vector<std::string> deadFontMessages;
LRESULT CALLBACK watchFonts(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static bool asking = false;  // the questions below are messages too
    if (code == HC_ACTION && !std::exchange(asking, true)) {
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(sent->hwnd, WM_GETFONT, 0, 0));
        if (font && ::GetObjectW(font, 0, nullptr) == 0)
            deadFontMessages.push_back(utf8(win32::windowText(sent->hwnd)) + " got " +
                                       std::to_string(sent->message));
        asking = false;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// On a monitor of another scale the window is laid out again, and there and on a new taskbar the
// icons are drawn again, at the sizes Windows gives for that DPI (learn.microsoft.com:
// GetSystemMetricsForDpi); no control is left with a deleted font meanwhile.
TEST_F(FitAtOneDpi, IconsFollowTheDpiAndFontsOutliveTheirControlsUse) {
    const auto dpi = dpiToCheck();
    if (!dpi)
        GTEST_SKIP() << "run by FitTest once for each DPI";
    show(form);
    click(setting_page::kIndicator);
    const HWND main = window.hwnd(), tray = trayWindow.hwnd();
    ASSERT_NE(tray, nullptr);
    // The tray shows the small size: the program's own picture for it, not a large one shrunk.
    const auto expectIconsAt = [&](int at, const char* when) {
        for (auto [hwnd, which, metric] : {std::tuple{main, ICON_BIG, SM_CXICON},
                                           {main, ICON_SMALL, SM_CXSMICON},
                                           {tray, ICON_BIG, SM_CXSMICON}})
            EXPECT_EQ(wine_test::iconWidth(hwnd, which), ::GetSystemMetricsForDpi(metric, at))
                << when << at << ", icon " << which << (hwnd == tray ? " of the tray" : "");
        EXPECT_TRUE(wine_test::trayIconShown(tray, static_cast<UINT>(form.form2()->trayPicture())))
            << when << at;
    };
    expectIconsAt(*dpi, "at start, DPI ");
    // Measured from the tab strip: Apply on its page, Option2 in Frame1 (480, 2340) at (360, 720),
    // Text4 in Frame4 (360, 1320) at (120, 3000).
    const auto expectPlacesAt = [&](int at) {
        const std::pair<ControlId, std::array<int, 4>> places[] = {
            {setting_page::kApply, {3960, 6060, 1455, 495}},
            {setting_page::kOption2, {840, 3060, 1335, 375}},
            {picture_page::kText4, {480, 4320, 5655, 1695}}};
        for (const auto& [id, twips] : places) {
            RECT r, tab;
            ::GetWindowRect(window.controlHwnd(id), &r);
            ::GetWindowRect(tabStrip(), &tab);
            const std::array<LONG, 4> place{r.left - tab.left, r.top - tab.top, r.right - r.left,
                                            r.bottom - r.top};
            for (std::size_t i = 0; i < place.size(); ++i)
                EXPECT_EQ(place[i], twipsToPixels(twips[i], at))
                    << "control " << id << ", field " << i << " at DPI " << at;
        }
    };

    const int other = *dpi == 96 ? 144 : 96;
    const UINT before = static_cast<UINT>(form.form2()->trayPicture());
    window.selectPage(kPageKbTesting);  // its controls hold fonts of their own
    expectPlacesAt(*dpi);
    RECT place;
    ::GetWindowRect(main, &place);
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, watchFonts, nullptr, ::GetCurrentThreadId());
    for (HWND hwnd : {main, tray})
        ::SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(other, other),
                       reinterpret_cast<LPARAM>(&place));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(deadFontMessages, std::vector<std::string>{});
    expectIconsAt(other, "moved to DPI ");
    EXPECT_FALSE(wine_test::trayIconShown(tray, before)) << "the old picture's icon is gone";
    // Laid out again at the new scale, fonts and all; Text4 keeps its charset.
    expectPlacesAt(other);
    const auto fontHeight = [&](ControlId id) {
        LOGFONTW font{};
        ::GetObjectW(
            reinterpret_cast<HFONT>(::SendMessageW(window.controlHwnd(id), WM_GETFONT, 0, 0)),
            sizeof font, &font);
        return std::abs(font.lfHeight);
    };
    EXPECT_EQ(window.fontCharset(picture_page::kText4), 178);
    EXPECT_EQ(fontHeight(picture_page::kText4), fontHeight(setting_page::kApply));
    window.selectPage(kPageSetting);

    // A restarted Explorer knows no icons and tells every top-level window.
    ASSERT_TRUE(shell.shellNotifyIcon(kNimDelete, form.form2()->record()));
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    wine_test::pumpMessages(10000ms, [&] {
        return wine_test::trayIconShown(tray, static_cast<UINT>(form.form2()->trayPicture())) &&
               wine_test::iconWidth(main, ICON_SMALL) ==
                   ::GetSystemMetricsForDpi(SM_CXSMICON, *dpi);
    });
    expectIconsAt(*dpi, "new taskbar on the window's monitor, DPI ");
    click(setting_page::kIndicator);
}

// Sets the prefix's DPI for processes started from now on.
void setLogPixels(DWORD dpi) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

// Runs this program's check at one DPI in a new process; its failures go to our output.
int runAt(int dpi) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ::_wputenv_s(kDpiVariable, std::to_wstring(dpi).c_str());
    const auto code =
        ::_wspawnl(_P_WAIT, self, L"fit_test", L"--gtest_filter=FitAtOneDpi.*", nullptr);
    ::_wputenv_s(kDpiVariable, L"");
    return static_cast<int>(code);
}

TEST(FitTest, EveryCheckAt96To192Dpi) {
    if (dpiToCheck())
        GTEST_SKIP();
    DWORD before = 96, size = sizeof before;  // the prefix's own, put back at the end
    ::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &before,
                   &size);
    for (int dpi : {96, 120, 144, 192}) {
        ::fflush(stdout);
        setLogPixels(static_cast<DWORD>(dpi));
        EXPECT_EQ(runAt(dpi), 0) << "at " << dpi << " DPI; what failed is listed above";
    }
    setLogPixels(before);
}

}  // namespace
}  // namespace harfpad
