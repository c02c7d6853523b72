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

// Waits at most `ms` for a message, then dispatches every waiting message but the user's
// keyboard and client-area mouse input, which is dropped. Window frames, closing (also
// Alt+F4), painting, timers and posted messages go on. False once WM_QUIT was seen; it is left
// for the message loop.
bool waitDroppingInput(unsigned ms);

}  // namespace harfpad::win32
