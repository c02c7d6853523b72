#include "platform/win32/Win32Registry.h"

#include "platform/win32/Handles.h"

namespace harfpad::win32 {
namespace {

HKEY rootKey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::optional<RegistryData> Win32Registry::query(std::uint32_t root, const std::string& keyPath,
                                                 const std::string& valueName,
                                                 std::size_t capacity) {
    UniqueHkey key;
    if (::RegOpenKeyA(rootKey(root), keyPath.c_str(), key.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryData data;
    data.bytes.resize(capacity);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity);
    if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, data.bytes.data(),
                           &size) != ERROR_SUCCESS ||
        size > capacity) {
        return std::nullopt;
    }
    data.type = type;
    data.bytes.resize(size);
    return data;
}

bool Win32Registry::store(std::uint32_t root, const std::string& keyPath,
                          const std::string& valueName, std::uint32_t type,
                          std::span<const std::uint8_t> data) {
    UniqueHkey key;
    if (::RegCreateKeyA(rootKey(root), keyPath.c_str(), key.put()) != ERROR_SUCCESS)
        return false;
    const bool stored = ::RegSetValueExA(key.get(), valueName.c_str(), 0, type, data.data(),
                                         static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    ::RegFlushKey(key.get());
    return stored;
}

}  // namespace harfpad::win32
