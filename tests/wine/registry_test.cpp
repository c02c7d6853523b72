// The settings store against Wine's real registry, with values written by reg.exe.
#include <gtest/gtest.h>

#include "support/WineTest.h"
#include "platform/win32/Win32Registry.h"
#include "settings/EllReg.h"

namespace harfpad {
namespace {

constexpr const char* kKey = "Software\\HarfpadTest\\Values";
constexpr const wchar_t* kKeyW = L"Software\\HarfpadTest";

class WineRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKeyW); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKeyW); }
    void regAdd(const std::wstring& args) {
        ASSERT_EQ(wine_test::runReg(L"add HKCU\\Software\\HarfpadTest\\Values " + args + L" /f"), 0)
            << std::string(args.begin(), args.end());
    }
    win32::Win32Registry api;
    EllReg reg{api};
};

// Up to 2048 bytes of data read; more read as "Not Found".
TEST_F(WineRegistryTest, ValuesOfEachTypeReadAsText) {
    regAdd(L"/ve /t REG_SZ /d 2");
    regAdd(L"/v dword3 /t REG_DWORD /d 3");
    regAdd(L"/v dword0 /t REG_DWORD /d 0");
    regAdd(L"/v dwordBig /t REG_DWORD /d 123456");
    regAdd(L"/v binary /t REG_BINARY /d 000F10FF");
    regAdd(L"/v empty /t REG_SZ /d \"\"");
    regAdd(L"/v expand /t REG_EXPAND_SZ /d abc");
    regAdd(L"/v spaced /t REG_SZ /d \"  7 x\"");
    regAdd(L"/v big /t REG_SZ /d " + std::wstring(3000, L'x'));
    regAdd(L"/v limit /t REG_SZ /d " + std::wstring(2047, L'y'));
    const std::pair<const char*, std::string> expected[] = {
        {"", "2"},
        {"dword3", "003"},
        {"dword0", "000"},
        {"dwordBig", "123456"},
        {"binary", "000F10FF"},
        {"empty", ""},
        {"expand", "abc"},
        {"spaced", "  7 x"},
        {"missing", "Not Found"},
        {"big", "Not Found"},
        {"limit", std::string(2047, 'y')},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, kKey, name), text) << name;
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
