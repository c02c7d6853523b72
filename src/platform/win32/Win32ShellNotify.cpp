#include "platform/win32/Win32ShellNotify.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace harfpad::win32 {

static_assert(NIF_MESSAGE == kNifMessage && NIF_ICON == kNifIcon && NIF_TIP == kNifTip &&
              NIF_SHOWTIP == kNifShowTip);
static_assert(NIM_ADD == kNimAdd && NIM_DELETE == kNimDelete && NIM_SETFOCUS == kNimSetFocus &&
              NIM_SETVERSION == kNimSetVersion && NOTIFYICON_VERSION_4 == kNotifyIconVersion4);
static_assert(NIN_SELECT == kNinSelect && NIN_KEYSELECT == kNinKeySelect &&
              WM_CONTEXTMENU == kWmContextMenu);
static_assert(sizeof(NotifyIconRecord::szTip) / sizeof(char16_t) ==
              sizeof(NOTIFYICONDATAW::szTip) / sizeof(WCHAR));

bool Win32ShellNotify::shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
    // The whole current structure: version 4 needs the fields after the first version's.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    std::copy(record.szTip.begin(), record.szTip.end(), data.szTip);
    data.uVersion = record.uVersion;
    return ::Shell_NotifyIconW(message, &data) != FALSE;
}

}  // namespace harfpad::win32
