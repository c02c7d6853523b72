#include "settings/EllReg.h"

#include <charconv>
#include <limits>
#include <optional>
#include <vector>

#include "settings/RegistryDecode.h"

namespace harfpad {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A whole decimal number between optional blanks, as text converted to a DWORD must be.
std::optional<std::int64_t> parseWholeNumber(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin < end && text[begin] == '+')
        ++begin;
    std::int64_t number = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + begin, text.data() + end, number);
    if (ec != std::errc() || ptr != text.data() + end || begin == end)
        return std::nullopt;
    return number;
}

std::optional<std::int32_t> toDword(const RegValue& value) {
    std::optional<std::int64_t> number;
    if (const auto* n = std::get_if<std::int64_t>(&value)) {
        number = *n;
    } else {
        number = parseWholeNumber(std::get<std::string>(value));
    }
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

std::string toText(const RegValue& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value))
        return std::to_string(*n);
    return std::get<std::string>(value);
}

}  // namespace

std::string EllReg::readRegValue(std::uint32_t root, const std::string& keyPath,
                                 const std::string& valueName) const {
    const auto data = api_.query(root, keyPath, valueName, kRegReadBufferSize);
    if (!data || data->bytes.size() > kRegReadBufferSize)
        return kRegNotFound;
    return decodeRegistryData(data->type, data->bytes);
}

bool EllReg::writeRegValue(std::uint32_t root, const std::string& keyPath,
                           const std::string& valueName, std::uint32_t valueType,
                           const RegValue& value) const {
    if (valueType == kRegDword) {
        const auto number = toDword(value);
        if (!number)
            return false;
        const auto bits = static_cast<std::uint32_t>(*number);
        const std::uint8_t bytes[4] = {
            static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
        return api_.store(root, keyPath, valueName, kRegDword, bytes);
    }
    const std::string text = toText(value);
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return api_.store(root, keyPath, valueName, kRegSz, bytes);
}

}  // namespace harfpad
