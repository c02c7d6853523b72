#include "fakes/FakeRegistry.h"

#include <cctype>

namespace harfpad::fakes {
namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

void FakeRegistry::addKey(std::uint32_t root, const std::string& keyPath) {
    keys_[{root, lower(keyPath)}];
}

bool FakeRegistry::hasKey(std::uint32_t root, const std::string& keyPath) const {
    return keys_.count({root, lower(keyPath)}) != 0;
}

void FakeRegistry::set(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                       std::uint32_t type, std::vector<std::uint8_t> bytes) {
    keys_[{root, lower(keyPath)}][lower(valueName)] = RegistryData{type, std::move(bytes)};
}

void FakeRegistry::setText(std::uint32_t root, const std::string& keyPath,
                           const std::string& valueName, const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    set(root, keyPath, valueName, kRegSz, std::move(bytes));
}

void FakeRegistry::setDword(std::uint32_t root, const std::string& keyPath,
                            const std::string& valueName, std::uint32_t number) {
    set(root, keyPath, valueName, kRegDword,
        {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
         static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
}

const RegistryData* FakeRegistry::find(std::uint32_t root, const std::string& keyPath,
                                       const std::string& valueName) const {
    const auto key = keys_.find({root, lower(keyPath)});
    if (key == keys_.end())
        return nullptr;
    const auto value = key->second.find(lower(valueName));
    return value == key->second.end() ? nullptr : &value->second;
}

std::optional<RegistryData> FakeRegistry::query(std::uint32_t root, const std::string& keyPath,
                                                const std::string& valueName,
                                                std::size_t capacity) {
    const RegistryData* data = find(root, keyPath, valueName);
    if (!data || data->bytes.size() > capacity)
        return std::nullopt;
    return *data;
}

bool FakeRegistry::store(std::uint32_t root, const std::string& keyPath,
                         const std::string& valueName, std::uint32_t type,
                         std::span<const std::uint8_t> data) {
    if (readOnlyKeys.count({root, lower(keyPath)}))
        return false;
    writes.push_back({root, keyPath, valueName, type, {data.begin(), data.end()}});
    set(root, keyPath, valueName, type, {data.begin(), data.end()});
    return true;
}

}  // namespace harfpad::fakes
