#include <gtest/gtest.h>

#include <optional>

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

// "00000401" is loaded only when Arabic is neither active nor installed. The user's own Arabic
// layout is made active, whatever its country or arrangement: loading "00000401" beside it
// would add a Saudi Arabic (101) entry to the system's list.
TEST_F(LayoutSwitcherTest, SwitchToArabicDecisions) {
    const fakes::InputLocale us("00000409"), egypt("00000401", 0x0C01),
        arabic102("00010401", 0x0401), morocco("0000040C", 0x1801), french("0000040C");
    const fakes::InputLocale saudi("00000401");  // what loading "00000401" gives
    const struct Row {
        const char* what;
        std::vector<fakes::InputLocale> installed;
        fakes::InputLocale active;
        bool nameFails;
        std::optional<fakes::InputLocale> activated;  // none: nothing changes
        bool loads = false;
    } rows[] = {
        {"US active", {us}, us, false, saudi, true},
        {"Spanish active", {us}, "0000040A", false, saudi, true},
        {"no name", {us}, "", false, saudi, true},
        {"the name cannot be read", {us}, us, true, saudi, true},
        {"Arabic (101) active", {us}, "00000401", false, {}},
        {"Arabic (102) active", {us}, "00010401", false, {}},
        {"\"401\" anywhere counts as Arabic", {us}, "40100409", false, {}},
        {"Arabic (Egypt) installed", {us, egypt}, us, false, egypt},
        {"Arabic (102) installed", {us, arabic102}, us, false, arabic102},
        {"the first of two", {french, morocco, egypt}, french, false, morocco},
        {"a French keyboard under an Arabic language is Arabic", {us, morocco}, morocco, false, {}},
        {"the language decides where the name cannot be read", {us, egypt}, egypt, true, {}},
    };
    for (const Row& row : rows) {
        fakes::FakeKeyboardLayout kl;
        kl.installed = row.installed;
        kl.active = row.active;
        kl.failNameQuery = row.nameFails;
        LayoutSwitcher s(kl, registry);
        s.switchToArabic();
        EXPECT_EQ(kl.loads,
                  row.loads ? std::vector<std::string>{"00000401"} : std::vector<std::string>{})
            << row.what;
        if (row.loads) {
            EXPECT_EQ(kl.lastFlags, documented::KLF_ACTIVATE | documented::KLF_SUBSTITUTE_OK);
        }
        EXPECT_EQ(kl.installedLayouts().size(), row.installed.size() + row.loads) << row.what;
        EXPECT_EQ(kl.activeLayout(), row.activated.value_or(row.active).handle()) << row.what;
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
            api.setText(documented::HKEY_CURRENT_USER, kPreloadSubkey, "", *row.subkeyValue);
        if (row.namedValue)
            api.setText(documented::HKEY_CURRENT_USER, kPreloadKey, "1", *row.namedValue);
        kl.active = row.active;
        s.switchToEnglish();
        if (row.loaded) {
            ASSERT_EQ(kl.loads.size(), 1u) << row.what;
            EXPECT_EQ(kl.loads[0], *row.loaded) << row.what;
            EXPECT_EQ(kl.lastFlags, documented::KLF_ACTIVATE | documented::KLF_SUBSTITUTE_OK);
        } else {
            EXPECT_TRUE(kl.loads.empty()) << row.what;
        }
    }
}

// "Switch to Default" makes the layout Windows hands back for the first preload entry (which
// layout that is, through the user's substitute, is Windows' part) the active one, and installs
// nothing new when it is installed already.
TEST_F(LayoutSwitcherTest, TheDefaultIsTheLayoutWindowsHandsBack) {
    const fakes::InputLocale arabic("00000401"), english("00000409");
    registryApi.setText(documented::HKEY_CURRENT_USER, kPreloadSubkey, "", "00000409");
    layouts.installed = {english, arabic};
    layouts.active = arabic;
    switcher.switchToEnglish();
    EXPECT_EQ(layouts.activeLayout(), english.handle());
    EXPECT_EQ(layouts.installedLayouts().size(), 2u) << "nothing new is installed";
}

TEST_F(LayoutSwitcherTest, InputModeDecidesWhatEachSwitchReaches) {
    const fakes::InputLocale us("00000409"), arabic("00000401");
    registryApi.setText(kHkeyCurrentUser, kPreloadSubkey, "", "00000409");
    enum Source { kButton, kMenu, kMenuRefused };
    enum Target { kOtherThread, kOrdinary, kElevated };  // other thread: its focus window's
    // Shared mode: a switch while the program owns the focus follows the focus to every window;
    // a request to the window in front becomes the user's. Per thread: buttons change Harfpad's
    // own thread, requests the window's. Nothing reaches an elevated window but the focus.
    const bool reaches[2][3][3] = {{{1, 1, 1}, {1, 1, 1}, {1, 1, 0}},
                                   {{0, 0, 0}, {1, 1, 0}, {1, 1, 0}}};
    const WindowHandle user = 0x100, child = 0x200;
    for (int mode = 0; mode < 2; ++mode)
        for (int source = kButton; source <= kMenuRefused; ++source)
            for (int target = kOtherThread; target <= kElevated; ++target)
                for (const bool toArabic : {true, false}) {
                    SCOPED_TRACE(::testing::Message() << mode << source << target << toArabic);
                    const fakes::InputLocale& from = toArabic ? us : arabic;
                    fakes::FakeKeyboardLayout kl;
                    kl.installed = {us, arabic};
                    kl.active = from;
                    kl.userLayout = from.handle();
                    kl.perThread = mode == 1;
                    kl.windows = {{user, {2, target == kElevated, target ? 0 : child}},
                                  {child, {3}}};
                    kl.focus(user);
                    LayoutSwitcher s(kl, registry);
                    kl.focus(source == kMenuRefused ? user : 0);
                    bool claimed = true;
                    if (source == kButton)
                        toArabic ? s.switchToArabic() : s.switchToEnglish();
                    else
                        claimed = toArabic ? s.switchToArabic({user, source == kMenu})
                                           : s.switchToEnglish({user, source == kMenu});
                    kl.focus(user);
                    const bool reached = reaches[mode][source][target];
                    EXPECT_EQ(kl.layoutOf(kl.focusWindowOf(user)),
                              (reached == toArabic ? arabic : us).handle());
                    EXPECT_EQ(claimed, reached || source == kButton);
                }
}

TEST_F(LayoutSwitcherTest, TheNameIsEmptyWhenItCannotBeReadAndCutAt500) {
    layouts.failNameQuery = true;
    EXPECT_EQ(switcher.getCurrentLanguage(), "");
    layouts.failNameQuery = false;
    EXPECT_EQ(switcher.getCurrentLanguage(), "00000409");
    layouts.active = std::string(600, 'a');
    EXPECT_EQ(switcher.getCurrentLanguage(), std::string(500, 'a'));
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

}  // namespace
}  // namespace harfpad
