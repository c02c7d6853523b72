#include <gtest/gtest.h>

#include "fakes/FakeKeyboardLayout.h"
#include "fakes/FakeRegistry.h"
#include "layout/LayoutSwitcher.h"

namespace harfpad {
namespace {

constexpr const char* kPreloadSubkey = "keyboard layout\\preload\\1";
constexpr const char* kPreloadKey = "keyboard layout\\preload";

class LayoutSwitcherTest : public ::testing::Test {
  protected:
    fakes::FakeRegistry registryApi;
    EllReg registry{registryApi};
    fakes::FakeKeyboardLayout layouts;
    LayoutSwitcher switcher{layouts, registry};
};

TEST_F(LayoutSwitcherTest, SwitchToArabicDecisions) {
    struct Row {
        std::string active;
        bool nameFails;
        bool loads;
    } rows[] = {
        {"00000409", false, true},  {"00000401", false, false}, {"00010401", false, false},
        {"40100409", false, false},  // "401" anywhere counts as Arabic
        {"0000040A", false, true},  {"", false, true},          {"00000409", true, true},
    };
    for (const Row& row : rows) {
        layouts.active = row.active;
        layouts.failNameQuery = row.nameFails;
        layouts.loads.clear();
        switcher.switchToArabic();
        if (row.loads) {
            ASSERT_EQ(layouts.loads.size(), 1u) << row.active;
            EXPECT_EQ(layouts.loads[0], "00000401");
            EXPECT_EQ(layouts.lastFlags, 1u);
        } else {
            EXPECT_TRUE(layouts.loads.empty()) << row.active;
        }
    }
}

TEST_F(LayoutSwitcherTest, SwitchToEnglishDecisions) {
    struct Row {
        const char* what;
        std::optional<std::string> subkeyValue;  // unnamed value of preload\1
        std::optional<std::string> namedValue;   // value "1" of preload
        std::string active;
        std::optional<std::string> loaded;
    } rows[] = {
        {"Arabic active, default English", "00000409", {}, "00000401", "00000409"},
        {"default already active", "00000409", {}, "00000409", {}},
        {"tail of default found elsewhere", "00000409", {}, "00010409", {}},
        {"only the last three characters count", "00000409", {}, "00001409", {}},
        {"default Arabic while Arabic active", "00000401", {}, "00000401", {}},
        {"empty preload never switches", "", {}, "00000401", {}},
        {"short preload compared whole", "09", {}, "00000401", "09"},
        {"short preload found", "01", {}, "00000401", {}},
        {"current form of the preload list", {}, "0000040C", "00000401", "0000040C"},
        {"subkey form wins over named value", "00000409", "0000040C", "00000401", "00000409"},
        {"no preload anywhere loads nothing", {}, {}, "00000401", {}},
        {"empty named value loads nothing", {}, "", "00000401", {}},
    };
    for (const Row& row : rows) {
        fakes::FakeRegistry api;
        EllReg reg(api);
        fakes::FakeKeyboardLayout kl;
        LayoutSwitcher s(kl, reg);
        if (row.subkeyValue)
            api.setText(kHkeyCurrentUser, kPreloadSubkey, "", *row.subkeyValue);
        if (row.namedValue)
            api.setText(kHkeyCurrentUser, kPreloadKey, "1", *row.namedValue);
        kl.active = row.active;
        s.switchToEnglish();
        if (row.loaded) {
            ASSERT_EQ(kl.loads.size(), 1u) << row.what;
            EXPECT_EQ(kl.loads[0], *row.loaded) << row.what;
            EXPECT_EQ(kl.lastFlags, 1u);
        } else {
            EXPECT_TRUE(kl.loads.empty()) << row.what;
        }
    }
}

TEST_F(LayoutSwitcherTest, SwitchingTwiceChangesOnlyOnce) {
    registryApi.setText(kHkeyCurrentUser, kPreloadSubkey, "", "00000409");
    switcher.switchToArabic();
    switcher.switchToArabic();
    switcher.switchToEnglish();
    switcher.switchToEnglish();
    EXPECT_EQ(layouts.loads, (std::vector<std::string>{"00000401", "00000409"}));
}

TEST_F(LayoutSwitcherTest, FailedNameQueryGivesEmptyText) {
    layouts.failNameQuery = true;
    EXPECT_EQ(switcher.getCurrentLanguage(), "");
    layouts.failNameQuery = false;
    EXPECT_EQ(switcher.getCurrentLanguage(), "00000409");
}

TEST_F(LayoutSwitcherTest, DecodeStringReadsFromIndexOneUpToTheFirstZero) {
    auto& buffer = switcher.nameBuffer();
    buffer.fill('\0');
    buffer[0] = 'X';  // never part of the name
    EXPECT_EQ(switcher.decodeString(), "");
    std::memcpy(buffer.data() + 1, "00000401\0zz", 11);
    EXPECT_EQ(switcher.decodeString(), "00000401");
    buffer.fill('7');
    EXPECT_EQ(switcher.decodeString(), std::string(500, '7'));
}

TEST_F(LayoutSwitcherTest, OverlongPlatformNameIsCutAt500) {
    layouts.active = std::string(600, 'a');
    EXPECT_EQ(switcher.getCurrentLanguage(), std::string(500, 'a'));
}

}  // namespace
}  // namespace harfpad
