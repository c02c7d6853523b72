// The program in a process of its own, driven from outside the way the shell and the user do:
// closing into the tray, coming back with a double-click on the icon, and ending.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "support/WineTest.h"
#include "app/SettingPage.h"

namespace harfpad {
namespace {

namespace sp = setting_page;

constexpr const wchar_t* kToggle = L"keyboard layout\\toggle";
constexpr DWORD kPatienceMs = 30000;

// Sends a message to a window of the program and waits for the answer, within reason.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// Polls until `found` gives a result or the patience is used up.
template <typename F>
auto waitFor(F found, DWORD ms = kPatienceMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    auto result = found();
    while (!result && std::chrono::steady_clock::now() < end) {
        ::Sleep(20);
        result = found();
    }
    return result;
}

// harfpad.exe, started from the build next to this test.
class HarfpadProcess {
  public:
    HarfpadProcess() {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path(self);
        path.resize(path.find_last_of(L"\\/") + 1);
        for (const char c : std::string(HARFPAD_EXE_FROM_TESTS))
            path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        path_ = path;
        std::wstring command = L"\"" + path + L"\"";
        STARTUPINFOW startup{sizeof startup};
        started_ = ::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, nullptr, &startup, &process_) != FALSE;
    }
    ~HarfpadProcess() {
        if (!started_)
            return;
        if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process_.hProcess, 99);
            ::WaitForSingleObject(process_.hProcess, 10000);
        }
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    HarfpadProcess(const HarfpadProcess&) = delete;
    HarfpadProcess& operator=(const HarfpadProcess&) = delete;

    bool started() const { return started_; }
    const std::wstring& path() const { return path_; }

    // The program's top-level window of this class, or nullptr.
    HWND topLevel(const wchar_t* windowClass, bool visibleOnly) const {
        HWND window = nullptr;
        while ((window = ::FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId && (!visibleOnly || ::IsWindowVisible(window)))
                return window;
        }
        return nullptr;
    }
    HWND mainWindow() const { return topLevel(L"HarfpadForm", true); }
    HWND trayWindow() const { return topLevel(L"HarfpadForm2", false); }
    HWND waitForMainWindow() const {
        return waitFor([&] { return mainWindow(); });
    }

    // True when the process ended within `ms`; its exit status goes to `code`.
    bool ended(DWORD ms, DWORD* code) const {
        if (::WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        ::GetExitCodeProcess(process_.hProcess, code);
        return true;
    }

  private:
    bool started_ = false;
    std::wstring path_;
    PROCESS_INFORMATION process_{};
};

HWND controlOf(HWND main, ControlId id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        main,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (::GetDlgCtrlID(child) != s->id)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool checked(HWND main, ControlId id) {
    return send(controlOf(main, id), BM_GETCHECK) == BST_CHECKED;
}

class WineTrayProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kToggle);
        ASSERT_NE(::GetFileAttributesW(program.path().c_str()), INVALID_FILE_ATTRIBUTES)
            << "harfpad.exe is built next to the tests";
        ASSERT_TRUE(program.started());
        main = program.waitForMainWindow();
        ASSERT_NE(main, nullptr) << "the main window opens";
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kToggle); }
    void clickIndicator() { send(controlOf(main, sp::kIndicator), BM_CLICK); }

    HarfpadProcess program;
    HWND main = nullptr;
};

TEST_F(WineTrayProcessTest, UntickedAtStartAndClosingThenEndsTheProgram) {
    EXPECT_FALSE(checked(main, sp::kIndicator));
    EXPECT_EQ(program.trayWindow(), nullptr) << "no tray window, so no icon, at start";
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program.ended(kPatienceMs, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(WineTrayProcessTest, ClosedIntoTheTrayAndBackWithADoubleClickThenEndedAfterUnticking) {
    EXPECT_FALSE(checked(main, sp::kOption3));
    clickIndicator();
    ASSERT_TRUE(checked(main, sp::kIndicator));
    const HWND tray = program.trayWindow();
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(::IsWindowVisible(tray)) << "the tray window is never shown";

    // Closing with the box ticked: the main window goes, the program and its tray window stay.
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !::IsWindow(main); }));
    DWORD code = 0;
    EXPECT_FALSE(program.ended(1000, &code)) << "the program lives on in the tray";
    EXPECT_EQ(program.mainWindow(), nullptr);
    EXPECT_EQ(program.trayWindow(), tray);

    // The icon's menu opens with the tray window in the foreground and closes on Escape.
    ::PostMessageW(tray, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    const HWND menu = waitFor([&] { return program.topLevel(L"#32768", true); }, 10000);
    ASSERT_NE(menu, nullptr) << "a right-button release opens the menu";
    EXPECT_EQ(::GetForegroundWindow(), tray);
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitFor([&] { return !::IsWindowVisible(menu); }, 10000));
    EXPECT_EQ(program.mainWindow(), nullptr) << "the menu does not bring the window back";

    // Another hotkey stored meanwhile; the double-click loads the window afresh.
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kToggle, nullptr, REG_SZ, L"3", 4),
              ERROR_SUCCESS);
    send(tray, WM_MOUSEMOVE, 0, WM_LBUTTONDBLCLK);
    main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr) << "the double-click brings the main window back";
    EXPECT_TRUE(checked(main, sp::kIndicator));
    EXPECT_TRUE(checked(main, sp::kOption3)) << "the hotkey options are read afresh";
    EXPECT_EQ(program.trayWindow(), tray) << "one tray window for the whole run";

    clickIndicator();
    EXPECT_FALSE(checked(main, sp::kIndicator));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    code = 1234;
    ASSERT_TRUE(program.ended(kPatienceMs, &code)) << "closing with the box unticked ends it";
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace harfpad
