// Program entry: wires the main window's behaviour to the Win32 platform and runs the loop.
#include <windows.h>

#include "app/Win32Form1Platform.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/StartupTrace.h"
#include "platform/win32/Win32ShellNotify.h"
#include "platform/win32/Win32TrayWindow.h"
#include "../res/resource.h"
#include "ProgramAddresses.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace harfpad;
    win32::traceStartup("entry");
    // One copy per session: a second start brings the first one forward and ends.
    const win32::SingleInstance instanceGuard(L"Local\\Harfpad.SingleInstance");
    if (!instanceGuard.first()) {
        win32::SingleInstance::showRunningCopy({win32::kFormWindowClass, win32::kTrayWindowClass});
        return 0;
    }
    initCommonControls();
    win32::traceStartup("common-controls");

    Win32Form1Platform system(instance, IDI_HARFPAD);
    // The tray window outlives Form1, which removes a remaining icon when it goes.
    win32::Win32TrayWindow trayWindow(instance, IDI_HARFPAD);
    win32::Win32ShellNotify shell;
    const TrayPlatform tray{trayWindow, shell};
    Form1 form1(system.platform(
        &tray, feedback::FeedbackAddresses{u"" HARFPAD_FEEDBACK_URL, u"" HARFPAD_PROBE_URL,
                                           u"" HARFPAD_PROBE_CONTENT}));
    form1.show();
    // Runs on after the main window closed with the indicator on, until endProgram.
    return win32::runMessageLoop(
        [&system](MSG& msg) { return system.window.preTranslateMessage(msg); });
}
