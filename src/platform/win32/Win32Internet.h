#pragma once

#include <map>

#include "platform/InternetApi.h"
#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// The probe's calls through the ANSI WinINet functions. Every handle given out is owned here
// until it is closed, so none outlives this object.
class Win32Internet final : public IInternetApi {
  public:
    InternetHandle open(const std::u16string& agent, std::uint32_t accessType,
                        std::uint32_t flags) override;
    InternetHandle openUrl(InternetHandle internet, const std::u16string& url,
                           std::uint32_t flags) override;
    void close(InternetHandle handle) override;

  private:
    InternetHandle keep(HINTERNET handle);
    std::map<InternetHandle, UniqueInternet> open_;
};

}  // namespace harfpad::win32
