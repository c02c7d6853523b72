// The two on-screen keyboards on the real main window: what every key puts into its text box.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "support/Win32Form1Platform.h"
#include "support/WineTest.h"
#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32KeystrokeSender.h"

namespace harfpad {
namespace {

namespace pp = picture_page;
namespace up = unicode_page;
using namespace std::chrono_literals;

class WineKeyboardsTest : public wine_test::Form1Test {
  protected:
    void SetUp() override {
        show(form);
        ::SetForegroundWindow(window.hwnd());
        wine_test::pumpMessages(50ms);
    }

    std::wstring text(ControlId id) const { return win32::toWide(window.text(id)); }

    // How long sending an A key and waiting takes while `hook` sees the keyboard's input.
    std::chrono::steady_clock::duration waitedFor(HOOKPROC hook) {
        HHOOK installed = ::SetWindowsHookExW(WH_KEYBOARD_LL, hook, ::GetModuleHandleW(nullptr), 0);
        EXPECT_NE(installed, nullptr);
        const Keystroke keys[] = {{'A', false}, {'A', true}};
        const auto start = std::chrono::steady_clock::now();
        keystrokes.send(keys, true);
        const auto waited = std::chrono::steady_clock::now() - start;
        ::UnhookWindowsHookEx(installed);
        return waited;
    }

    Form1 form{platform()};
};

// After ب, Enter, ت and ث the caret stands after the whole text, not on the first line.
TEST_F(WineKeyboardsTest, UnicodeKeysLeaveTheCaretAtTheEnd) {
    window.selectPage(kPageUnicodeTesting);
    auto keyNamed = [](std::string_view name) {
        for (int n = 0; n < up::kCharacterKeyCount; ++n)
            if (up::characterKeys()[n].name == name)
                return up::characterKeyId(n);
        return kNoControl;
    };
    for (ControlId key :
         {keyNamed("cmdf"), ControlId{up::kCmd28}, keyNamed("cmdj"), keyNamed("cmde")})
        click(key);
    EXPECT_EQ(text(up::kTxtarabic), L"\u0628\r\n\u062A\u062B");
    EXPECT_EQ(::GetFocus(), control(up::kTxtarabic));
    wine_test::pumpMessages(300ms);  // the End taps go through
    // learn.microsoft.com, EM_GETSEL: with no pointers, the start in the low word, the end above.
    EXPECT_EQ(::SendMessageW(control(up::kTxtarabic), EM_GETSEL, 0, 0), MAKELRESULT(5, 5));
    EXPECT_TRUE(::GetWindowLongW(control(up::kTxtarabic), GWL_EXSTYLE) & WS_EX_RTLREADING);
}

// Each keyboard is one tab stop: Tab goes from the tab strip to the keyboard, its box and back.
// Arrows walk to a key; Space twice types it twice, the focus back on the key each time. Under
// Wine the picture keyboard's letters type nothing, its digits do.
TEST_F(WineKeyboardsTest, EachKeyboardIsOneTabStopWalkedWithArrowsAndPressedWithSpace) {
    // The page, the walk from the keyboard's first key, the key it reaches (2, Q), its box.
    const std::tuple<int, std::vector<BYTE>, ControlId, ControlId, wchar_t> rows[] = {
        {kPageKbTesting,
         {VK_DOWN, VK_UP, VK_END, VK_HOME, VK_RIGHT, VK_RIGHT},
         pp::keyId(2),
         pp::kText4,
         L'2'},
        {kPageUnicodeTesting,
         {VK_DOWN, VK_RIGHT},
         up::characterKeyId(13),
         up::kTxtarabic,
         L'\u0636'}};
    for (const auto& [page, walk, key, box, typed] : rows) {
        window.selectPage(page);
        ::SetFocus(tabStrip());
        int stops = 0;
        do tap(VK_TAB);
        while (++stops < 100 && ::GetFocus() != tabStrip());
        EXPECT_EQ(stops, 3) << "the tab strip, the keyboard, its box; page " << page;
        tap(VK_TAB);
        for (BYTE vk : walk) tap(vk);
        EXPECT_EQ(::GetFocus(), control(key)) << page;
        tap(VK_SPACE);
        tap(VK_SPACE);
        EXPECT_EQ(text(box), std::wstring(2, typed));
        EXPECT_EQ(::GetFocus(), control(key)) << page;
    }
}

// Space or Enter on a Shift key or Capslock: both Shift keys and Capslock look pressed, and read
// as checked, exactly while the shifted captions are up; the focus stays on the key.
TEST_F(WineKeyboardsTest, TheLatchedShiftShowsOnBothShiftKeysAndCapslock) {
    window.selectPage(kPageUnicodeTesting);
    const std::tuple<ControlId, BYTE, bool> rows[] = {
        {up::kCmd53, VK_SPACE, true}, {up::kCmd40, VK_RETURN, false}, {up::kCmd42, VK_SPACE, true}};
    for (const auto& [key, press, shifted] : rows) {
        window.setFocus(key);
        tap(press);
        EXPECT_EQ(form.shiftOn(), shifted) << key;
        EXPECT_EQ(text(up::characterKeyId(13)), shifted ? L"\u064E" : L"\u0636");
        for (ControlId shift : {up::kCmd53, up::kCmd42, up::kCmd40})
            EXPECT_EQ(::SendMessageW(control(shift), BM_GETSTATE, 0, 0) & BST_CHECKED,
                      shifted ? BST_CHECKED : 0)
                << shift << " after " << key;
        EXPECT_EQ(::GetFocus(), control(key));
    }
}

// What keys of "KB Testing" type into an empty Text4 through real keystrokes: only what a key
// of the active layout produces. Wine's layouts have no Arabic letters, so the letter keys type
// nothing here; the native tests type them on a model of the Arabic layout. A key held down
// from outside the keystrokes (here by keybd_event, as a hand would) mixes into SendInput's keys
// unless the keyboard lifts it: each key types as it types alone, and the key is held again after.
TEST_F(WineKeyboardsTest, PictureKeysTypeWhatTheActiveLayoutProducesWhateverIsHeld) {
    ASSERT_EQ(::VkKeyScanExW(L'\u0636', ::GetKeyboardLayout(0)), -1)
        << "the rows are for a layout without Arabic letters";
    window.selectPage(kPageKbTesting);
    const struct {
        int index;
        const wchar_t* typed;
        BYTE held = 0;
    } rows[] = {
        {1, L"1"},              // the digit keys type ASCII digits
        {14, L"     "},         // Tab: five spaces
        {40, L"\r\n"},          // Enter
        {54, L" "},             // Space
        {41, L""},              // left Shift
        {15, L""},              // Q's letter
        {2, L"2", VK_SHIFT},    // not "@"
        {1, L"1", VK_CONTROL},  // not a shortcut
    };
    for (const auto& row : rows) {
        window.setText(pp::kText4, u"");
        if (row.held) {
            ::keybd_event(row.held, 0, 0, 0);
            wine_test::pumpMessages(50ms, [&] { return ::GetAsyncKeyState(row.held) < 0; });
        }
        click(pp::keyId(row.index));
        // SendKeys waits: the text is there when the click returns.
        EXPECT_EQ(text(pp::kText4), row.typed) << "key " << row.index << ", held " << +row.held;
        EXPECT_EQ(::GetFocus(), control(pp::kText4)) << "key " << row.index;
        if (!row.held)
            continue;
        EXPECT_LT(::GetAsyncKeyState(row.held), 0) << "held again, key " << row.index;
        ::keybd_event(row.held, 0, KEYEVENTF_KEYUP, 0);
        wine_test::pumpMessages(50ms, [&] { return ::GetAsyncKeyState(row.held) >= 0; });
        EXPECT_GE(::GetAsyncKeyState(row.held), 0) << "up with the hand, key " << row.index;
    }
}

// The wait counts its own keys only: the user's keys arriving meanwhile do not end it early.
// Keystrokes that never arrive (a keyboard hook swallows them) hold it up two seconds, not
// without end.
TEST_F(WineKeyboardsTest, AWaitingSendCountsOnlyItsOwnKeys) {
    window.selectPage(kPageKbTesting);
    ::SetFocus(control(pp::kText4));
    // Our keystrokes are swallowed; the user's (untagged) pass.
    const HOOKPROC swallowOurs = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (code == HC_ACTION && key->dwExtraInfo == win32::Win32KeystrokeSender::kOwnKeystrokes)
            return 1;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    };
    ::keybd_event(VK_F13, 0, 0, 0);
    ::keybd_event(VK_F13, 0, KEYEVENTF_KEYUP, 0);
    const auto waited = waitedFor(swallowOurs);
    EXPECT_GE(waited, 1900ms) << "the user's F13 release is not one of ours";
    EXPECT_LT(waited, 12000ms) << "two seconds, with room for a busy machine";
    EXPECT_EQ(text(pp::kText4), L"") << "the keys were swallowed";
}

// Keys sent while another program's window is in front go to that window: nothing of ours is
// waited for.
TEST_F(WineKeyboardsTest, NothingIsAwaitedWhileAnotherWindowIsInFront) {
    window.selectPage(kPageKbTesting);
    std::atomic<HWND> other = nullptr;
    std::atomic<bool> done = false;
    std::thread front([&] {
        HWND w = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   200, 100, nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(w);
        other = w;
        while (!done) wine_test::pumpMessages(10ms);
        ::DestroyWindow(w);
    });
    wine_test::pumpMessages(10000ms, [&] { return other && ::GetForegroundWindow() == other; });
    ASSERT_EQ(::GetForegroundWindow(), other.load());
    ::SetFocus(control(pp::kText4));
    ASSERT_EQ(::GetForegroundWindow(), other.load()) << "the focus of our thread only";
    // A wait pumps this thread's queue; without one this marker is still in it afterwards.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
    waitedFor([](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return code == HC_ACTION ? 1 : ::CallNextHookEx(nullptr, code, wParam, lParam);
    });
    MSG marker;
    EXPECT_TRUE(::PeekMessageW(&marker, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "a wait ran";
    done = true;
    front.join();
}

TEST_F(WineKeyboardsTest, PictureBackspaceRemovesTheCharacterBeforeTheCaret) {
    window.selectPage(kPageKbTesting);
    window.setText(pp::kText4, u"abc");
    ::SendMessageW(control(pp::kText4), EM_SETSEL, 2, 2);
    click(pp::keyId(13));
    // Keystrokes put into the input stream arrive when the loop runs.
    wine_test::pumpMessages(10000ms, [&] { return text(pp::kText4) == L"ac"; });
    EXPECT_EQ(text(pp::kText4), L"ac");

    ::SendMessageW(control(pp::kText4), EM_SETSEL, 0, 0);
    click(pp::keyId(13));
    wine_test::pumpMessages(100ms);
    EXPECT_EQ(text(pp::kText4), L"ac") << "nothing before the caret";
}

TEST_F(WineKeyboardsTest, PictureKeysAnnounceTheirLegendAndShowASmallPicture) {
    window.selectPage(kPageKbTesting);
    for (int index = 0; index < pp::kKeyCount; ++index) {
        const pp::PictureKey& key = pp::keys()[static_cast<std::size_t>(index)];
        HWND button = control(pp::keyId(index));
        wchar_t name[32] = {};
        ::GetWindowTextW(button, name, 32);
        EXPECT_EQ(std::wstring(name), win32::toWide(key.legend)) << index;
        const auto picture =
            reinterpret_cast<HBITMAP>(::SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!key.picture) {
            EXPECT_EQ(picture, nullptr) << index;
            continue;
        }
        ASSERT_NE(picture, nullptr) << index;
        BITMAP info{};
        ASSERT_TRUE(::GetObjectW(picture, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, info.bmHeight);
        EXPECT_LE(info.bmWidth, 33 * window.dpi() / 96) << index;
        EXPECT_GE(info.bmWidth, 12 * window.dpi() / 96) << "legible, key " << index;
    }
}

// One system colour changed for as long as the object lives.
class SystemColour {
  public:
    SystemColour(int element, COLORREF colour)
        : element_(element), before_(::GetSysColor(element)) {
        ::SetSysColors(1, &element_, &colour);
    }
    ~SystemColour() { ::SetSysColors(1, &element_, &before_); }

  private:
    int element_;
    COLORREF before_;
};

// A colour scheme changed while the program runs: the pictures are drawn again in it.
TEST_F(WineKeyboardsTest, PicturesFollowAColourSchemeChangedWhileRunning) {
    window.selectPage(kPageKbTesting);
    auto face = [&] {  // the colour a picture is drawn on
        const auto picture = reinterpret_cast<HBITMAP>(
            ::SendMessageW(control(pp::keyId(15)), BM_GETIMAGE, IMAGE_BITMAP, 0));
        const HDC memory = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ old = ::SelectObject(memory, picture);
        const COLORREF corner = ::GetPixel(memory, 0, 0);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        return corner;
    };
    const COLORREF before = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF changed = before == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const SystemColour scheme(COLOR_HIGHLIGHTTEXT, changed);
    wine_test::pumpMessages(10000ms, [&] { return face() == changed; });
    EXPECT_EQ(face(), changed);
}

}  // namespace
}  // namespace harfpad
