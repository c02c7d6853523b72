// Life in the notification area, driven the way the shell and the user do: the indicator box,
// closing into the tray, coming back with a double-click, and ending.
#include <windows.h>

#include "Fixture.h"

namespace e2e {
namespace {

constexpr const wchar_t* kIndicator = L"Enable indicator on task bar";
constexpr const wchar_t* kTrayClass = L"HarfpadForm2";

class TrayScenarios : public HarfpadTest {
  protected:
    void SetUp() override {
        HarfpadTest::SetUp();
        start();
    }
    HWND trayWindow() const { return program->findTopLevel(kTrayClass, false); }
    // The shell's callback for the icon in the version-4 layout: the event code in the low
    // word of the second parameter, the anchor point in the first.
    static void iconEvent(HWND tray, UINT event) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(tray, WM_MOUSEMOVE, 0, event, SMTO_NORMAL, 10000, &ignored);
    }
    // Main windows of any copy of the program on this desktop.
    static int mainWindowsOnTheDesktop() {
        int count = 0;
        ::EnumWindows(
            [](HWND hwnd, LPARAM counter) {
                if (className(hwnd) == L"HarfpadForm")
                    ++*reinterpret_cast<int*>(counter);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }
};

// One copy per session: a second start hands over to the running copy and ends, whether that
// copy shows its window or only its icon.
TEST_F(TrayScenarios, ASecondStartBringsTheRunningCopyForwardAndEnds) {
    {
        Program second(options().exePath, false);
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.waitForExit(), 0u);
    }
    EXPECT_EQ(mainWindowsOnTheDesktop(), 1);
    EXPECT_TRUE(program->running());

    click(control(kIndicator));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !::IsWindow(main); }));
    {
        Program third(options().exePath, false);
        EXPECT_EQ(third.waitForExit(), 0u);
    }
    main = program->mainWindow();
    ASSERT_NE(main, nullptr) << "the running copy loads its window again";
    EXPECT_TRUE(isChecked(control(kIndicator)));
    EXPECT_EQ(mainWindowsOnTheDesktop(), 1);
}

TEST_F(TrayScenarios, ClosedIntoTheTrayAndBackWithADoubleClickThenEndedAfterUnticking) {
    EXPECT_FALSE(isChecked(control(L"Disable key switching")));
    EXPECT_FALSE(isChecked(control(kIndicator)));
    EXPECT_EQ(trayWindow(), nullptr) << "no tray window, so no icon, at start";
    click(control(kIndicator));
    ASSERT_TRUE(isChecked(control(kIndicator)));
    const HWND tray = trayWindow();
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(::IsWindowVisible(tray)) << "the tray window is never shown";

    // Closing with the box ticked: the main window goes, the program and its tray window stay.
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !::IsWindow(main); }));
    EXPECT_FALSE(program->waitForExit(1000ms)) << "the program lives on in the tray";
    EXPECT_EQ(program->mainWindow(0ms), nullptr);
    EXPECT_EQ(trayWindow(), tray);

    // Another hotkey stored meanwhile; the double-click loads the window afresh.
    storeText(HKEY_CURRENT_USER, kToggleKey, nullptr, L"3");
    iconEvent(tray, WM_LBUTTONDBLCLK);
    main = program->mainWindow();
    ASSERT_NE(main, nullptr) << "the double-click brings the main window back";
    EXPECT_TRUE(isChecked(control(kIndicator)));
    EXPECT_TRUE(isChecked(control(L"Disable key switching"))) << "the options are read afresh";
    EXPECT_EQ(trayWindow(), tray) << "one tray window for the whole run";

    click(control(kIndicator));
    EXPECT_FALSE(isChecked(control(kIndicator)));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->waitForExit(), 0u) << "closing with the box unticked ends it";
}

}  // namespace
}  // namespace e2e
