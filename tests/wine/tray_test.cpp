// The tray indicator with the real hidden window, the real shell and the real main window in
// this process: the icon, the shell's notifications, the popup menu and the end of the session.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "fakes/RecordingTrayOwner.h"
#include "../../res/resource.h"
#include "support/Win32Form1Platform.h"
#include "support/WineTest.h"
#include "app/Form1.h"
#include "app/SettingPage.h"
#include "keyboard/PictureKeyboardPage.h"
#include "platform/win32/Win32ShellNotify.h"
#include "platform/win32/Win32TrayWindow.h"
#include "tray/Form2.h"

namespace harfpad {
namespace {

namespace sp = setting_page;

constexpr const wchar_t* kArabicInstalled =
    L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\00000401";

// Watches for this thread's popup menu from a timer, which the menu's own message loop runs,
// records what the menu shows and then feeds it the keys of one user's answer.
class MenuWatcher {
  public:
    struct Seen {
        std::vector<std::wstring> items;
        HWND foreground = nullptr;
        RECT place{};
    };
    // `answer`: messages posted to the menu once it is open (WM_KEYDOWN / WM_CHAR with a key).
    explicit MenuWatcher(std::vector<std::pair<UINT, WPARAM>> answer) : answer_(std::move(answer)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 30, onTimer);
    }
    ~MenuWatcher() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    const std::vector<Seen>& seen() const { return seen_; }
    // True when the answer did not close the menu and the watcher had to end it.
    bool forcedEnd() const { return forcedEnd_; }

  private:
    static HWND openMenu() {
        HWND menu = nullptr;
        while ((menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
            if (::IsWindowVisible(menu) &&
                ::GetWindowThreadProcessId(menu, nullptr) == ::GetCurrentThreadId()) {
                return menu;
            }
        }
        return nullptr;
    }
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
        MenuWatcher* self = current_;
        if (!self)
            return;
        HWND menuWindow = openMenu();
        if (!menuWindow) {
            self->ticksOpen_ = 0;
            return;
        }
        if (self->ticksOpen_++ == 0) {
            Seen seen;
            seen.foreground = ::GetForegroundWindow();
            ::GetWindowRect(menuWindow, &seen.place);
            HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
                seen.items.push_back(text);
            }
            self->seen_.push_back(std::move(seen));
            for (const auto& [message, key] : self->answer_)
                ::PostMessageW(menuWindow, message, key, 0);
        } else if (self->ticksOpen_ > 60) {
            self->forcedEnd_ = true;
            ::EndMenu();
        }
    }

    static inline MenuWatcher* current_ = nullptr;
    std::vector<std::pair<UINT, WPARAM>> answer_;
    UINT_PTR timer_ = 0;
    int ticksOpen_ = 0;
    std::vector<Seen> seen_;
    bool forcedEnd_ = false;
};

const std::pair<UINT, WPARAM> kDown{WM_KEYDOWN, VK_DOWN};
const std::pair<UINT, WPARAM> kEscape{WM_KEYDOWN, VK_ESCAPE};
const std::pair<UINT, WPARAM> kEnter{WM_CHAR, L'\r'};

// Removes the messages waiting for `window` (nullptr: for this thread); true when one of them
// was WM_NULL.
bool takeMessages(HWND window) {
    MSG msg;
    bool null = false;
    while (::PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) null = null || msg.message == WM_NULL;
    return null;
}

// The program's layout calls, with the input mode as a user who switches per window sets it:
// Wine cannot report the mode.
struct PerThreadLayouts final : win32::Win32KeyboardLayout {
    InputMode inputMode() override { return InputMode::kPerThread; }
};

class WineTrayTest : public wine_test::Form1Test {
  protected:
    void TearDown() override {
        Form1Test::TearDown();
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kArabicInstalled);
        takeMessages(nullptr);
    }
    HWND tray() const { return trayWindow.hwnd(); }
    UINT iconId() { return static_cast<UINT>(form.form2()->trayPicture()); }

    Form1Platform perThreadPlatform() {
        Form1Platform p = platform(&trayPlatform);
        return {p.window,     p.ui,   p.registry, perThread, p.keyInput,         p.codePage,
                p.keystrokes, p.http, p.names,    p.tray,    p.feedbackAddresses};
    }

    win32::Win32TrayWindow trayWindow{::GetModuleHandleW(nullptr), IDI_HARFPAD};
    win32::Win32ShellNotify shell;
    TrayPlatform trayPlatform{trayWindow, shell};
    PerThreadLayouts perThread;
    Form1 form{perThreadPlatform()};
};

// The menu's "Arabic" asks the focus window of the window in front before it, another program's
// (here a thread of its own), for the user's installed Arabic layout.
TEST_F(WineTrayTest, InputModePerThreadMenuAsksTheUsersFocusWindow) {
    // Wine lists the layouts under this key as the installed ones: the user has Arabic (101).
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kArabicInstalled, L"Layout File", REG_SZ,
                                L"KBDA1.DLL", 20),
              ERROR_SUCCESS);
    show(form);
    click(sp::kIndicator);
    std::promise<DWORD> ready;
    LPARAM asked = 0;
    std::thread user([&] {
        HWND top = ::CreateWindowExW(0, L"STATIC", L"user", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     300, 100, nullptr, nullptr, nullptr, nullptr);
        HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, top,
                                      nullptr, nullptr, nullptr);
        ::SetForegroundWindow(top);
        ::SetFocus(edit);
        ready.set_value(::GetCurrentThreadId());
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            if (msg.message == WM_INPUTLANGCHANGEREQUEST && msg.hwnd == edit)
                asked = msg.lParam;
        ::DestroyWindow(top);
    });
    const DWORD userThread = ready.get_future().get();
    MenuWatcher watcher({kDown, kEnter});
    // A right-click as the shell reports it to a version-4 icon.
    ::SendMessageW(tray(), WM_MOUSEMOVE, MAKEWPARAM(300, 250),
                   MAKELPARAM(WM_CONTEXTMENU, iconId()));
    // Posted after the request, so the user's thread has seen it when it ends.
    ::PostThreadMessageW(userThread, WM_QUIT, 0, 0);
    user.join();
    EXPECT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(PRIMARYLANGID(LOWORD(asked)), LANG_ARABIC);
    std::vector<HKL> installed(64);
    installed.resize(::GetKeyboardLayoutList(64, installed.data()));
    EXPECT_NE(std::find(installed.begin(), installed.end(), reinterpret_cast<HKL>(asked)),
              installed.end());
}

// The hidden window and the shell for real, the main window recorded.
class WineForm2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        form2.loadtray();
        ASSERT_NE(tray(), nullptr);
        takeMessages(tray());
    }
    void TearDown() override { takeMessages(nullptr); }
    HWND tray() const { return trayWindow.hwnd(); }
    UINT iconId() const { return static_cast<UINT>(form2.trayPicture()); }
    bool iconShown() const { return wine_test::trayIconShown(tray(), iconId()); }
    // The icon's callback in the version-4 layout: the anchor in wParam, event and identifier
    // in lParam.
    void notify(UINT event, POINT anchor) {
        ::SendMessageW(tray(), WM_MOUSEMOVE, MAKEWPARAM(anchor.x, anchor.y),
                       MAKELPARAM(event, iconId()));
    }

    win32::Win32TrayWindow trayWindow{::GetModuleHandleW(nullptr), IDI_HARFPAD};
    win32::Win32ShellNotify shell;
    fakes::RecordingTrayOwner owner;
    Form2 form2{{trayWindow, shell}, owner};
};

TEST_F(WineForm2Test, ContextMenuOpensArabicAndDefaultAtTheAnchorAndRunsTheChoice) {
    struct Row {
        const char* what;
        std::vector<std::pair<UINT, WPARAM>> answer;
        std::vector<std::string> calls;
    } rows[] = {
        {"escape", {kEscape}, {}},
        {"first item", {kDown, kEnter}, {"arabic"}},
        {"second item", {kDown, kDown, kEnter}, {"english"}},
    };
    for (const Row& row : rows) {
        owner.calls.clear();
        MenuWatcher watcher(row.answer);
        ASSERT_TRUE(::SetCursorPos(20, 30));  // the menu goes to the anchor, not the pointer
        notify(WM_CONTEXTMENU, {300, 250});
        ASSERT_EQ(watcher.seen().size(), 1u) << row.what;
        EXPECT_FALSE(watcher.forcedEnd()) << row.what;
        EXPECT_EQ(watcher.seen()[0].items, (std::vector<std::wstring>{L"Arabic", L"Default"}));
        EXPECT_EQ(watcher.seen()[0].foreground, tray())
            << "the menu's window is in the foreground while it is open, " << row.what;
        EXPECT_EQ(watcher.seen()[0].place.left, 300) << "left edge at the anchor, " << row.what;
        EXPECT_EQ(watcher.seen()[0].place.top, 250) << row.what;
        EXPECT_TRUE(takeMessages(tray()))
            << "a message to the window lets the shell finish the menu, " << row.what;
        EXPECT_EQ(owner.calls, row.calls) << row.what;
    }
}

TEST_F(WineForm2Test, IconGoesWithTheWindowAndAtTheEndOfTheSession) {
    ASSERT_TRUE(iconShown());
    // A polite request to end (an installer): the icon goes and the program is asked to end.
    ::SendMessageW(tray(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(iconShown());
    EXPECT_EQ(owner.calls, std::vector<std::string>{"end"});
    EXPECT_NE(tray(), nullptr) << "the window itself goes with the program";
    form2.loadtray();
    ASSERT_TRUE(iconShown());

    ::SendMessageW(tray(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(iconShown()) << "the session goes on";
    ::SendMessageW(tray(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(iconShown());

    // The shell forgets the icons of windows that are gone, so look while the window is being
    // destroyed and still exists.
    form2.loadtray();
    ASSERT_TRUE(iconShown());
    static HWND watched;
    static UINT watchedId;
    static int shownAtDestroy;
    watched = tray();
    watchedId = iconId();
    shownAtDestroy = -1;
    const HOOKPROC afterMessage = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == watched && sent->message == WM_DESTROY)
            shownAtDestroy = wine_test::trayIconShown(watched, watchedId) ? 1 : 0;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    };
    HHOOK hook =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, afterMessage, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    ::DestroyWindow(watched);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(shownAtDestroy, 0) << "removed before the window went";
    EXPECT_EQ(tray(), nullptr);
}

}  // namespace
}  // namespace harfpad
