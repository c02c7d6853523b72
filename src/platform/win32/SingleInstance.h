// One running copy per user session. The first copy holds a named mutex; a later one finds the
// first copy's window and asks it to come forward, then ends.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// The message a later copy posts to the running one's window: bring the main window forward,
// loading it again when it was closed to the tray.
inline constexpr wchar_t kShowRunningCopyMessage[] = L"Harfpad.ShowRunningCopy";
UINT showRunningCopyMessage();

class SingleInstance {
  public:
    explicit SingleInstance(const wchar_t* mutexName);
    // True for the first copy in this session.
    bool first() const { return first_; }
    // Posts the show message to the first window of these classes that exists, trying them in
    // order and waiting briefly for a copy that is still starting. True when one was told.
    static bool showRunningCopy(std::initializer_list<const wchar_t*> windowClasses);

  private:
    UniqueHandle<HANDLE, closeHandle> mutex_;
    bool first_;
};

}  // namespace harfpad::win32
