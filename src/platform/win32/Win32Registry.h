#pragma once

#include "platform/RegistryApi.h"

namespace harfpad::win32 {

// The registry through the ANSI advapi32 calls; each call opens and closes its own key.
class Win32Registry final : public IRegistryApi {
  public:
    std::optional<RegistryData> query(std::uint32_t root, const std::string& keyPath,
                                      const std::string& valueName, std::size_t capacity) override;
    bool store(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
               std::uint32_t type, std::span<const std::uint8_t> data) override;
};

}  // namespace harfpad::win32
