#pragma once

#include <functional>

#include <windows.h>

namespace harfpad::win32 {

// Runs the thread's message loop until WM_QUIT; `preTranslate` may claim a message
// (keyboard navigation) before it is dispatched. Returns the quit code.
int runMessageLoop(const std::function<bool(MSG&)>& preTranslate);

}  // namespace harfpad::win32
