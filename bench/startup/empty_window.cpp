// The yardsticks for start-up time: a Win32 program that only opens an empty window and, built
// with HARFPAD_WITH_TAB_CONTROL, the same window holding an empty tab control of the common
// controls. They use the main window's class name so that the same wait finds them.
#include <windows.h>
#ifdef HARFPAD_WITH_TAB_CONTROL
#include <commctrl.h>
#endif

namespace {
LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef HARFPAD_WITH_TAB_CONTROL
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
#endif
    WNDCLASSW cls{};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = instance;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"HarfpadForm";
    ::RegisterClassW(&cls);
    HWND window =
        ::CreateWindowExW(0, cls.lpszClassName, L"Empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 460, 500, nullptr, nullptr, instance, nullptr);
#ifdef HARFPAD_WITH_TAB_CONTROL
    ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 8, 8, 428, 440, window,
                      nullptr, instance, nullptr);
#endif
    ::ShowWindow(window, show);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
