// An in-memory registry with the platform's case-insensitive key and value names.
#pragma once

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/Documented.h"
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
             std::uint32_t type, std::vector<std::uint8_t> bytes) {
        keys_[{root, lower(keyPath)}][lower(valueName)] = RegistryData{type, std::move(bytes)};
    }
    // REG_SZ with its terminator.
    void setText(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                 const std::string& text) {
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        set(root, keyPath, valueName, documented::REG_SZ, std::move(bytes));
    }
    void setDword(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                  std::uint32_t n) {
        set(root, keyPath, valueName, documented::REG_DWORD,
            {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)});
    }
    void addKey(std::uint32_t root, const std::string& keyPath) { keys_[{root, lower(keyPath)}]; }
    const RegistryData* find(std::uint32_t root, const std::string& keyPath,
                             const std::string& valueName) const {
        const auto key = keys_.find({root, lower(keyPath)});
        if (key == keys_.end())
            return nullptr;
        const auto value = key->second.find(lower(valueName));
        return value == key->second.end() ? nullptr : &value->second;
    }

    std::optional<RegistryData> query(std::uint32_t root, const std::string& keyPath,
                                      const std::string& valueName, std::size_t capacity) override {
        const RegistryData* data = find(root, keyPath, valueName);
        if (!data || data->bytes.size() > capacity)
            return std::nullopt;
        return *data;
    }
    bool store(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
               std::uint32_t type, std::span<const std::uint8_t> data) override {
        if (readOnlyKeys.count({root, lower(keyPath)}))
            return false;
        writes.push_back({root, keyPath, valueName, type, {data.begin(), data.end()}});
        set(root, keyPath, valueName, type, {data.begin(), data.end()});
        return true;
    }

  private:
    static std::string lower(std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }
    using Key = std::tuple<std::uint32_t, std::string>;
    std::map<Key, std::map<std::string, RegistryData>> keys_;
};

}  // namespace harfpad::fakes
