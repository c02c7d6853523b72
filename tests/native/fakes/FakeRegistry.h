// An in-memory registry with the platform's case-insensitive key and value names.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/RegistryApi.h"

namespace harfpad::fakes {

class FakeRegistry final : public IRegistryApi {
  public:
    struct Write {
        std::uint32_t root;
        std::string keyPath, valueName;
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Write> writes;
    // Keys (root, lower-case path) whose writes are refused, as without the right to write.
    std::set<std::tuple<std::uint32_t, std::string>> readOnlyKeys;

    void set(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
             std::uint32_t type, std::vector<std::uint8_t> bytes);
    void setText(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                 const std::string& text);  // REG_SZ with its terminator
    void setDword(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                  std::uint32_t number);
    void addKey(std::uint32_t root, const std::string& keyPath);
    bool hasKey(std::uint32_t root, const std::string& keyPath) const;
    const RegistryData* find(std::uint32_t root, const std::string& keyPath,
                             const std::string& valueName) const;

    std::optional<RegistryData> query(std::uint32_t root, const std::string& keyPath,
                                      const std::string& valueName, std::size_t capacity) override;
    bool store(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
               std::uint32_t type, std::span<const std::uint8_t> data) override;

  private:
    using Key = std::tuple<std::uint32_t, std::string>;
    std::map<Key, std::map<std::string, RegistryData>> keys_;
};

}  // namespace harfpad::fakes
