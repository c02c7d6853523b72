// The registry calls the settings store makes, as a seam for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace harfpad {

// Predefined root keys as the platform numbers them.
constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHkeyUsers = 0x80000003u;

// Value types as the platform numbers them.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryData {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

class IRegistryApi {
  public:
    virtual ~IRegistryApi() = default;
    // Opens root\keyPath without creating it and reads one value into a buffer of `capacity`
    // bytes. Empty on any failure: missing key or value, or data larger than the buffer.
    // An empty valueName names the key's unnamed value.
    virtual std::optional<RegistryData> query(std::uint32_t root, const std::string& keyPath,
                                              const std::string& valueName,
                                              std::size_t capacity) = 0;
    // Opens or creates root\keyPath, stores the value, flushes and closes the key. True when the
    // value was stored.
    virtual bool store(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                       std::uint32_t type, std::span<const std::uint8_t> data) = 0;
};

}  // namespace harfpad
