#pragma once

#include <functional>

#include <windows.h>

namespace harfpad::win32 {

// Runs the thread's message loop until WM_QUIT; `preTranslate` may claim a message
// (keyboard navigation) before it is dispatched. Returns the quit code.
int runMessageLoop(const std::function<bool(MSG&)>& preTranslate);

// Dispatches the messages waiting in this thread's queue, then returns; a quit request is left
// for the message loop.
void processWaitingMessages();

}  // namespace harfpad::win32
