#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/win32/Handles.h"

namespace harfpad::win32 {

namespace {
HKL toHkl(LayoutHandle layout) {
    return reinterpret_cast<HKL>(layout);
}
LayoutHandle fromHkl(HKL layout) {
    return reinterpret_cast<LayoutHandle>(layout);
}
HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
DWORD threadOf(WindowHandle window) {
    return ::GetWindowThreadProcessId(toHwnd(window), nullptr);
}

// The mandatory integrity level of a process's token (its label's last sub-authority).
std::optional<DWORD> integrityLevel(HANDLE process) {
    UniqueHandle<HANDLE, closeHandle> token;
    if (!::OpenProcessToken(process, TOKEN_QUERY, token.put()))
        return std::nullopt;
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<unsigned char> label(size);
    if (size == 0 ||
        !::GetTokenInformation(token.get(), TokenIntegrityLevel, label.data(), size, &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(sid);
    if (count == 0)
        return std::nullopt;
    return *::GetSidSubAuthority(sid, count - 1u);
}
}  // namespace

bool Win32KeyboardLayout::getKeyboardLayoutName(std::span<char> buffer) {
    if (buffer.size() < KL_NAMELENGTH)
        return false;
    return ::GetKeyboardLayoutNameA(buffer.data()) != 0;
}

LayoutHandle Win32KeyboardLayout::loadKeyboardLayout(const std::string& name, unsigned flags) {
    return fromHkl(::LoadKeyboardLayoutA(name.c_str(), flags));
}

LayoutHandle Win32KeyboardLayout::activeLayout() {
    return fromHkl(::GetKeyboardLayout(0));
}

std::vector<LayoutHandle> Win32KeyboardLayout::installedLayouts() {
    const int count = ::GetKeyboardLayoutList(0, nullptr);
    std::vector<HKL> layouts(static_cast<std::size_t>(count > 0 ? count : 0));
    const int got = layouts.empty()
                        ? 0
                        : ::GetKeyboardLayoutList(static_cast<int>(layouts.size()), layouts.data());
    std::vector<LayoutHandle> handles;
    for (int i = 0; i < got; ++i) handles.push_back(fromHkl(layouts[static_cast<std::size_t>(i)]));
    return handles;
}

void Win32KeyboardLayout::activateLayout(LayoutHandle layout) {
    // One GUI thread: the whole program types with the layout.
    ::ActivateKeyboardLayout(toHkl(layout), KLF_SETFORPROCESS);
}

InputMode Win32KeyboardLayout::inputMode() {
    BOOL perThread = FALSE;
    if (!::SystemParametersInfoW(SPI_GETTHREADLOCALINPUTSETTINGS, 0, &perThread, 0))
        return InputMode::kShared;
    return perThread ? InputMode::kPerThread : InputMode::kShared;
}

HWND focusWindowIn(HWND window) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (thread == 0)
        return nullptr;  // gone; thread 0 would ask about the foreground thread instead
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window;
}

WindowHandle Win32KeyboardLayout::focusWindowOf(WindowHandle window) {
    return reinterpret_cast<WindowHandle>(focusWindowIn(toHwnd(window)));
}

LayoutHandle Win32KeyboardLayout::layoutOf(WindowHandle window) {
    const DWORD thread = threadOf(window);
    return thread == 0 ? 0 : fromHkl(::GetKeyboardLayout(thread));
}

bool Win32KeyboardLayout::canReach(WindowHandle window) {
    DWORD processId = 0;
    if (::GetWindowThreadProcessId(toHwnd(window), &processId) == 0)
        return false;
    const UniqueHandle<HANDLE, closeHandle> process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    const std::optional<DWORD> theirs = integrityLevel(process.get());
    const std::optional<DWORD> ours = integrityLevel(::GetCurrentProcess());
    return theirs && ours && *theirs <= *ours;
}

bool Win32KeyboardLayout::requestLayout(WindowHandle window, LayoutHandle layout) {
    // No direction flag: the layout in lParam is the one asked for.
    return ::PostMessageW(toHwnd(window), WM_INPUTLANGCHANGEREQUEST, 0,
                          static_cast<LPARAM>(layout)) != 0;
}

}  // namespace harfpad::win32
