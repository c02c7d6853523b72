#include "platform/win32/Win32Annotations.h"

#include <ole2.h>
// The service's class, interface and property identifiers are defined here, once; COM's own
// come from the headers above as declarations.
#include <initguid.h>
#include <oleacc.h>

namespace harfpad::win32 {
namespace {

// learn.microsoft.com, Automation Element Property IDs: LiveSetting_Property_GUID, which the
// annotation service takes for a window's live setting.
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
// learn.microsoft.com, LiveSetting enumeration.
constexpr LONG kPolite = 1;

}  // namespace

Win32Annotations::~Win32Annotations() {
    if (services_)
        services_->Release();
    if (comStarted_)
        ::CoUninitialize();
}

IAccPropServices* Win32Annotations::services() {
    if (started_)
        return services_;
    started_ = true;
    // S_FALSE: already started on this thread, which still asks for one CoUninitialize.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(com);
    void* services = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IAccPropServices, &services)))
        services_ = static_cast<IAccPropServices*>(services);
    return services_;
}

void Win32Annotations::setName(HWND control, const std::wstring& name) {
    IAccPropServices* s = services();
    if (!s)
        return;
    s->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                      name.c_str());
    // learn.microsoft.com, Interaction with WinEvents: the service raises no events; a renamed
    // control (a key under Shift) announces its new name itself.
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Annotations::setPoliteLiveRegion(HWND control) {
    IAccPropServices* s = services();
    if (!s)
        return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    s->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                   polite);
}

void Win32Annotations::liveRegionChanged(HWND control) {
    ::NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace harfpad::win32
