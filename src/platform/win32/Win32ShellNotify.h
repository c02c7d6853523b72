#pragma once

#include "platform/TrayApi.h"

namespace harfpad::win32 {

// Shell_NotifyIconW with the record copied into the shell's own structure.
class Win32ShellNotify final : public IShellNotify {
  public:
    bool shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
};

}  // namespace harfpad::win32
