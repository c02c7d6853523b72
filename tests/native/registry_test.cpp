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
        {"dword 3", kRegDword, {3, 0, 0, 0}, "003"},
        {"dword 0", kRegDword, {0, 0, 0, 0}, "000"},
        {"dword 42", kRegDword, {42, 0, 0, 0}, "042"},
        {"dword 1000 keeps every digit", kRegDword, {0xE8, 0x03, 0, 0}, "1000"},
        {"dword high bit is unsigned", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
        {"dword shorter than four bytes", kRegDword, {2, 1}, "258"},
        {"dword with extra bytes", kRegDword, {7, 0, 0, 0, 9, 9}, "007"},
        {"binary", kRegBinary, {0x00, 0x0F, 0x10, 0xFF}, "000F10FF"},
        {"binary two bytes", kRegBinary, {0x01, 0xAB}, "01AB"},
        {"binary empty", kRegBinary, {}, ""},
        {"text with terminator", kRegSz, {'1', 0}, "1"},
        {"empty text", kRegSz, {0}, ""},
        {"text with no data at all", kRegSz, {}, ""},
        {"text stored without terminator keeps its last character", kRegSz, {'a', 'b'}, "ab"},
        {"expandable text", kRegExpandSz, {'%', 'x', '%', 0}, "%x%"},
        {"multi-string drops only the final terminator",
         kRegMultiSz,
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
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "no\\such\\key", ""), "Not Found");
    api.addKey(kHkeyCurrentUser, "keyboard layout\\toggle");
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "keyboard layout\\toggle", ""), "Not Found");
    api.setText(kHkeyCurrentUser, "Keyboard Layout\\Toggle", "", "2");
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "keyboard layout\\toggle", ""), "2");
    EXPECT_EQ(reg.readRegValue(kHkeyUsers, "keyboard layout\\toggle", ""), "Not Found");
    // Data of up to 2048 bytes reads; more is not found.
    std::string fits(2047, 'x');  // 2048 bytes with the terminator
    api.setText(kHkeyCurrentUser, "k", "fits", fits);
    api.setText(kHkeyCurrentUser, "k", "big", fits + "y");
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "k", "fits"), fits);
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "k", "big"), "Not Found");
}

// Any type but REG_DWORD is stored as REG_SZ text with its terminator; a DWORD little-endian,
// and only when it fits, as the result says.
TEST_F(EllRegTest, ValuesAreStoredAsRegSzTextOrLittleEndianDwords) {
    struct Row {
        std::uint32_t type;
        RegValue value;
        Bytes stored;  // none: nothing is stored
    } rows[] = {
        {kRegSz, std::string("3"), {'3', 0}},
        {kRegSz, std::int64_t{2}, {'2', 0}},
        {kRegBinary, std::string("ab"), {'a', 'b', 0}},
        {kRegExpandSz, std::int64_t{-5}, {'-', '5', 0}},
        {kRegSz, std::string(), {0}},
        {kRegDword, std::int64_t{3}, {3, 0, 0, 0}},
        {kRegDword, std::int64_t{-1}, {0xFF, 0xFF, 0xFF, 0xFF}},
        {kRegDword, std::string(" 258 "), {2, 1, 0, 0}},
        {kRegDword, std::string("+7"), {7, 0, 0, 0}},
        {kRegDword, std::string("-2"), {0xFE, 0xFF, 0xFF, 0xFF}},
        {kRegDword, std::int64_t{2147483648LL}, {}},
        {kRegDword, std::string("12abc"), {}},
        {kRegDword, std::string(""), {}},
    };
    for (const Row& row : rows) {
        api.writes.clear();
        const bool stored = !row.stored.empty();
        EXPECT_EQ(reg.writeRegValue(kHkeyUsers, ".default\\keyboard layout\\toggle", "", row.type,
                                    row.value),
                  stored);
        ASSERT_EQ(api.writes.size(), stored ? 1u : 0u);
        if (stored) {
            EXPECT_EQ(api.writes[0].type, row.type == kRegDword ? kRegDword : kRegSz);
            EXPECT_EQ(api.writes[0].bytes, row.stored);
            EXPECT_EQ(api.writes[0].valueName, "");
        }
    }
    reg.writeRegValue(kHkeyCurrentUser, "d", "v", kRegDword, std::int64_t{3});
    EXPECT_EQ(reg.readRegValue(kHkeyCurrentUser, "d", "v"), "003");
}

}  // namespace
}  // namespace harfpad
