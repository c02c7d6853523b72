// The settings store against Wine's real registry.
#include <gtest/gtest.h>

#include <vector>

#include "support/WineTest.h"
#include "platform/win32/Win32Registry.h"
#include "settings/EllReg.h"

namespace harfpad {
namespace {

constexpr const char* kKey = "Software\\HarfpadTest\\Values";
constexpr const wchar_t* kKeyW = L"Software\\HarfpadTest\\Values";

class WineRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HarfpadTest"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HarfpadTest"); }
    win32::Win32Registry api;
    EllReg reg{api};
};

std::vector<BYTE> text(const std::wstring& value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(value.c_str());
    return {bytes, bytes + (value.size() + 1) * sizeof(wchar_t)};
}
std::vector<BYTE> dword(DWORD n) {
    return {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
}

// Each type as Windows hands it over (the decoding itself is the native tests'); up to 2048
// bytes of data read, more read as "Not Found".
TEST_F(WineRegistryTest, ValuesOfEachTypeReadAsText) {
    const struct {
        const wchar_t* name;
        DWORD type;  // 0: not written
        std::vector<BYTE> data;
        std::string read;
    } rows[] = {
        {L"", REG_SZ, text(L"2"), "2"},
        {L"dword", REG_DWORD, dword(0x10203), "66051"},
        {L"binary", REG_BINARY, {0x00, 0x0F, 0x10, 0xFF}, "000F10FF"},
        {L"expand", REG_EXPAND_SZ, text(L"abc"), "abc"},
        {L"missing", 0, {}, "Not Found"},
        {L"big", REG_SZ, text(std::wstring(3000, L'x')), "Not Found"},
        {L"limit", REG_SZ, text(std::wstring(2047, L'y')), std::string(2047, 'y')},
    };
    for (const auto& row : rows) {
        const auto written =
            row.type ? ::RegSetKeyValueW(HKEY_CURRENT_USER, kKeyW, row.name, row.type,
                                         row.data.data(), static_cast<DWORD>(row.data.size()))
                     : ERROR_SUCCESS;
        ASSERT_EQ(written, ERROR_SUCCESS);
    }
    for (const auto& row : rows) {
        const std::wstring name = row.name;
        EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, kKey, std::string(name.begin(), name.end())),
                  row.read)
            << std::string(name.begin(), name.end());
    }
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "Software\\HarfpadTest\\Nothing", ""),
              "Not Found");
}

TEST_F(WineRegistryTest, WritesCreateMissingKeysAndReadBackUnchanged) {
    const std::string deep = "Software\\HarfpadTest\\A\\B\\C";
    for (const std::string text : {"3", "", "hello world", "Not Found?"}) {
        reg.writeRegValue(kHkeyCurrentUser, deep, "", kRegSz, text);
        EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, deep, ""), text);
    }
    reg.writeRegValue(kHkeyCurrentUser, deep, "n", kRegBinary, std::int64_t{2});
    DWORD type = 0, size = 0;
    ASSERT_EQ(
        ::RegGetValueA(HKEY_CURRENT_USER, deep.c_str(), "n", RRF_RT_ANY, &type, nullptr, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << "any non-DWORD type is stored as text";
    EXPECT_EQ(size, 2u) << "\"2\" and its terminator";
    reg.writeRegValue(kHkeyCurrentUser, deep, "d", kRegDword, std::int64_t{258});
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, deep, "d"), "258");
}

}  // namespace
}  // namespace harfpad
