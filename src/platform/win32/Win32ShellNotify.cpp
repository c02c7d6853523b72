#include "platform/win32/Win32ShellNotify.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace harfpad::win32 {

static_assert(kNotifyIconV1Size == NOTIFYICONDATAA_V1_SIZE,
              "the portable record size must be the shell's first-version size");
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first-version ANSI record is 88 bytes");
#endif
static_assert(NIF_MESSAGE == kNifMessage && NIF_ICON == kNifIcon && NIF_TIP == kNifTip);
static_assert(NIM_ADD == kNimAdd && NIM_DELETE == kNimDelete);

bool Win32ShellNotify::shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = record.cbSize;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    std::copy(record.szTip.begin(), record.szTip.end(), data.szTip);
    return ::Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace harfpad::win32
