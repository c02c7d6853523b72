// The system's annotation service (IAccPropServices of oleacc), through which controls get the
// names and live-region settings screen readers read. COM and the service are started when
// the first control is annotated, so that start-up loads neither.
#pragma once

#include <windows.h>

#include <string>

struct IAccPropServices;

namespace harfpad::win32 {

class Win32Annotations {
  public:
    Win32Annotations() = default;
    ~Win32Annotations();
    Win32Annotations(const Win32Annotations&) = delete;
    Win32Annotations& operator=(const Win32Annotations&) = delete;

    // The control's name, in place of the one its window class would give.
    void setName(HWND control, const std::wstring& name);
    // Makes the control a polite live region.
    void setPoliteLiveRegion(HWND control);
    // Tells listeners that the live region's content has changed.
    static void liveRegionChanged(HWND control);

  private:
    IAccPropServices* services();

    IAccPropServices* services_ = nullptr;
    bool started_ = false;
    bool comStarted_ = false;
};

}  // namespace harfpad::win32
