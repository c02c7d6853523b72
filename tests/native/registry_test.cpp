#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "settings/EllReg.h"
#include "settings/RegistryDecode.h"

namespace harfpad {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RegistryDecode, EachTypeBecomesItsText) {
    struct Row {
        const char* what;
        std::uint32_t type;
        Bytes bytes;
        std::string text;
    } rows[] = {
        {"dword 42", documented::REG_DWORD, {42, 0, 0, 0}, "042"},
        {"dword 1000 keeps every digit", documented::REG_DWORD, {0xE8, 0x03, 0, 0}, "1000"},
        {"dword high bit is unsigned",
         documented::REG_DWORD,
         {0xFF, 0xFF, 0xFF, 0xFF},
         "4294967295"},
        {"dword shorter than four bytes", documented::REG_DWORD, {2, 1}, "258"},
        {"dword with extra bytes", documented::REG_DWORD, {7, 0, 0, 0, 9, 9}, "007"},
        {"binary", documented::REG_BINARY, {0x00, 0x0F, 0x10, 0xFF}, "000F10FF"},
        {"binary empty", documented::REG_BINARY, {}, ""},
        {"text with terminator", documented::REG_SZ, {'1', 0}, "1"},
        {"empty text", documented::REG_SZ, {0}, ""},
        {"text with no data at all", documented::REG_SZ, {}, ""},
        {"text stored without terminator keeps its last character",
         documented::REG_SZ,
         {'a', 'b'},
         "ab"},
        {"multi-string drops only the final terminator",
         documented::REG_MULTI_SZ,
         {'a', 0, 'b', 0, 0},
         std::string("a\0b\0", 4)},
        {"unknown type reads as text", 11, {'9', 0}, "9"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(decodeRegistryData(row.type, row.bytes), row.text) << row.what;
    }
}

class EllRegTest : public ::testing::Test {
  protected:
    fakes::FakeRegistry api;
    EllReg reg{api};
};

TEST_F(EllRegTest, WhatReadsAndWhatIsNotFound) {
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "no\\such\\key", ""), "Not Found");
    api.addKey(documented::HKEY_CURRENT_USER, "keyboard layout\\toggle");
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "keyboard layout\\toggle", ""),
              "Not Found");
    api.setText(documented::HKEY_CURRENT_USER, "Keyboard Layout\\Toggle", "", "2");
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "keyboard layout\\toggle", ""), "2");
    EXPECT_EQ(reg.readRegValue(documented::HKEY_USERS, "keyboard layout\\toggle", ""), "Not Found");
    // Data of up to 2048 bytes reads; more is not found.
    std::string fits(2047, 'x');  // 2048 bytes with the terminator
    api.setText(documented::HKEY_CURRENT_USER, "k", "fits", fits);
    api.setText(documented::HKEY_CURRENT_USER, "k", "big", fits + "y");
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "k", "fits"), fits);
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "k", "big"), "Not Found");
}

// Any type but REG_DWORD is stored as REG_SZ text with its terminator; a DWORD little-endian,
// and only when it fits, as the result says.
TEST_F(EllRegTest, ValuesAreStoredAsRegSzTextOrLittleEndianDwords) {
    struct Row {
        std::uint32_t type;
        RegValue value;
        Bytes stored;  // none: nothing is stored
    } rows[] = {
        {documented::REG_SZ, std::string("3"), {'3', 0}},
        {documented::REG_BINARY, std::string("ab"), {'a', 'b', 0}},
        {documented::REG_EXPAND_SZ, std::int64_t{-5}, {'-', '5', 0}},
        {documented::REG_SZ, std::string(), {0}},
        {documented::REG_DWORD, std::int64_t{3}, {3, 0, 0, 0}},
        {documented::REG_DWORD, std::int64_t{-1}, {0xFF, 0xFF, 0xFF, 0xFF}},
        {documented::REG_DWORD, std::string(" 258 "), {2, 1, 0, 0}},
        {documented::REG_DWORD, std::string("+7"), {7, 0, 0, 0}},
        {documented::REG_DWORD, std::int64_t{2147483648LL}, {}},
        {documented::REG_DWORD, std::string("12abc"), {}},
        {documented::REG_DWORD, std::string(""), {}},
    };
    for (const Row& row : rows) {
        api.writes.clear();
        const bool stored = !row.stored.empty();
        EXPECT_EQ(reg.writeRegValue(documented::HKEY_USERS, ".default\\keyboard layout\\toggle", "",
                                    row.type, row.value),
                  stored);
        ASSERT_EQ(api.writes.size(), stored ? 1u : 0u);
        if (!stored)
            continue;
        const auto type =
            row.type == documented::REG_DWORD ? documented::REG_DWORD : documented::REG_SZ;
        EXPECT_EQ(std::tie(api.writes[0].type, api.writes[0].bytes, api.writes[0].valueName),
                  std::make_tuple(type, row.stored, std::string()))
            << row.type;
    }
    reg.writeRegValue(documented::HKEY_CURRENT_USER, "d", "v", documented::REG_DWORD,
                      std::int64_t{3});
    EXPECT_EQ(reg.readRegValue(documented::HKEY_CURRENT_USER, "d", "v"), "003");
}

}  // namespace
}  // namespace harfpad
