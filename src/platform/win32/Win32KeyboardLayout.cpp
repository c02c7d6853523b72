#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>

namespace harfpad::win32 {

namespace {
HKL toHkl(LayoutHandle layout) {
    return reinterpret_cast<HKL>(layout);
}
LayoutHandle fromHkl(HKL layout) {
    return reinterpret_cast<LayoutHandle>(layout);
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

}  // namespace harfpad::win32
