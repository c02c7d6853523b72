// The program's only access to the registry: any value read as text, text or numbers written.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/RegistryApi.h"

namespace harfpad {

// What readRegValue gives for a value it cannot read.
inline constexpr const char* kRegNotFound = "Not Found";
// Values with more data than this read as kRegNotFound.
inline constexpr std::size_t kRegReadBufferSize = 2048;

using RegValue = std::variant<std::string, std::int64_t>;

class EllReg {
  public:
    explicit EllReg(IRegistryApi& api) : api_(api) {}

    // The value as text (see decodeRegistryData), or "Not Found" on any failure.
    std::string readRegValue(std::uint32_t root, const std::string& keyPath,
                             const std::string& valueName) const;

    // Creates the key if needed and stores the value: as a DWORD when valueType is REG_DWORD,
    // otherwise always as REG_SZ text with its terminator. A value that cannot be a signed
    // 32-bit number is not stored as a DWORD at all. True when the value was stored; callers for
    // whom a failure changes nothing may ignore it.
    bool writeRegValue(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                       std::uint32_t valueType, const RegValue& value) const;

  private:
    IRegistryApi& api_;
};

}  // namespace harfpad
