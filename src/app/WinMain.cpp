// Program entry: wires the main window's behaviour to the Win32 platform and runs the loop.
#include <windows.h>
#include <commctrl.h>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/StartupTrace.h"
#include "platform/win32/Win32FormWindow.h"
#include "platform/win32/Win32HttpRequest.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32KeyInput.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32KeystrokeSender.h"
#include "platform/win32/Win32ShellNotify.h"
#include "platform/win32/Win32TrayWindow.h"
#include "platform/win32/Win32UiServices.h"
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
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::traceStartup("common-controls");

    win32::Win32FormWindow window(instance, form1Spec(), IDI_HARFPAD);
    win32::Win32UiServices ui([&window](bool wait) { window.setWaitCursor(wait); });
    win32::Win32Registry registry;
    win32::Win32KeyboardLayout layouts;
    const auto preTranslate = [&](MSG& msg) { return window.preTranslateMessage(msg); };
    win32::Win32KeyInput keyInput;
    win32::Win32AnsiCodePage codePage;
    win32::Win32KeystrokeSender keystrokes(preTranslate);
    win32::Win32Internet internet;
    win32::Win32HttpRequests requests;
    // The tray window outlives Form1, which removes a remaining icon when it goes.
    win32::Win32TrayWindow trayWindow(instance, IDI_HARFPAD);
    win32::Win32ShellNotify shell;
    const TrayPlatform tray{trayWindow, shell};
    Form1 form1({window, ui, registry, layouts, keyInput, codePage, keystrokes, internet, requests,
                 &tray,
                 feedback::FeedbackAddresses{u"" HARFPAD_FEEDBACK_URL, u"" HARFPAD_PROBE_URL,
                                             u"" HARFPAD_MSXML_DOWNLOAD_URL}});
    form1.show();
    // Runs on after the main window closed with the indicator on, until endProgram.
    return win32::runMessageLoop(preTranslate);
}
