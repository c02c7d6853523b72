#include "settings/RegistryDecode.h"

#include <cstdio>

#include "platform/RegistryApi.h"

namespace harfpad {
namespace {

std::string decodeDword(std::span<const std::uint8_t> bytes) {
    // Short data reads its missing high bytes as zero; bytes past the fourth are not part of it.
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        number |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(number));
    return text;
}

std::string decodeBinary(std::span<const std::uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

std::string decodeText(std::span<const std::uint8_t> bytes) {
    std::string text(bytes.begin(), bytes.end());
    // Only a terminator is dropped: data stored without one keeps its last character.
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

}  // namespace

std::string decodeRegistryData(std::uint32_t type, std::span<const std::uint8_t> bytes) {
    switch (type) {
        case kRegDword:
            return decodeDword(bytes);
        case kRegBinary:
            return decodeBinary(bytes);
        default:
            return decodeText(bytes);
    }
}

}  // namespace harfpad
