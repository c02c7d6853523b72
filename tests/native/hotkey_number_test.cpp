#include <gtest/gtest.h>

#include "layout/HotkeyNumber.h"

namespace harfpad {
namespace {

TEST(HotkeyNumber, ReadsTheLeadingDecimalNumeral) {
    struct Row {
        const char* text;
        std::optional<int> number;
    } rows[] = {
        {"1", 1},
        {"2", 2},
        {"3", 3},
        {"003", 3},
        {"  2", 2},
        {"\t3", 3},
        {"\r\n 2", 2},  // a value typed in with a line break before it
        {"2abc", 2},
        {"Not Found", 0},
        {"", 0},
        {"abc2", 0},
        {" ", 0},
        {"-1", -1},
        {"+3", 3},
        {"2.4", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"2.51", 3},
        {"2.6", 3},
        {"-2.5", -2},
        {".7", 1},
        {"32767", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"4294967295", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"32767.5", std::nullopt},
        {"1 2", 1},
        {"0", 0},
        {"004", 4},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parseHotkeyNumber(row.text), row.number) << '"' << row.text << '"';
    }
}

}  // namespace
}  // namespace harfpad
