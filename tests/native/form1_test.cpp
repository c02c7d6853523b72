// The main window's start-up, its designed texts and the "Setting" page against fakes.
#include <gtest/gtest.h>

#include "app/InfoPages.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackPage.h"
#include "fakes/FakeForm1Platform.h"

namespace harfpad {
namespace {

namespace sp = setting_page;
constexpr const char* kToggle = "keyboard layout\\toggle";
constexpr const char* kDefaultToggle = ".default\\keyboard layout\\toggle";

// The number of the selected hotkey option, 0 for none.
int selectedOptionOf(const fakes::FakeFormWindow& window) {
    int selected = 0, count = 0;
    for (auto [id, number] : {std::pair{sp::kOption1, 1}, {sp::kOption2, 2}, {sp::kOption3, 3}}) {
        if (window.value(id) == 1)
            selected = number, ++count;
    }
    EXPECT_LE(count, 1) << "option buttons are one group";
    return selected;
}

class Form1Test : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    Form1 form{platform()};

    int selectedOption() const { return selectedOptionOf(window); }
};

// Every write as "HKCU:name=text" or "HKU:name=text", checked to be REG_SZ text with its
// terminator under the toggle key of its root.
std::vector<std::string> describeWrites(const fakes::FakeRegistry& r) {
    std::vector<std::string> all;
    for (const auto& w : r.writes) {
        EXPECT_EQ(w.keyPath, w.root == documented::HKEY_USERS ? kDefaultToggle : kToggle);
        EXPECT_EQ(w.type, documented::REG_SZ);
        EXPECT_EQ(w.bytes.back(), 0);
        all.push_back(std::string(w.root == documented::HKEY_USERS ? "HKU:" : "HKCU:") +
                      w.valueName + "=" + std::string(w.bytes.begin(), w.bytes.end() - 1));
    }
    return all;
}
std::vector<std::string> storedAs(const std::string& n) {
    return {"HKCU:Hotkey=" + n, "HKCU:Language Hotkey=" + n, "HKU:=" + n};
}

TEST_F(Form1Test, StartUpSelectsTheStoredOptionInAnyForm) {
    struct Row {
        const char* what;
        std::function<void(fakes::FakeRegistry&)> store;
        int selected;
    } rows[] = {
        {"missing", [](auto&) {}, 0},
        {"text 1", [](auto& r) { r.setText(documented::HKEY_CURRENT_USER, kToggle, "", "1"); }, 1},
        {"text 2", [](auto& r) { r.setText(documented::HKEY_CURRENT_USER, kToggle, "", "2"); }, 2},
        {"dword 2", [](auto& r) { r.setDword(documented::HKEY_CURRENT_USER, kToggle, "", 2); }, 2},
        {"number without option",
         [](auto& r) { r.setText(documented::HKEY_CURRENT_USER, kToggle, "", "4"); }, 0},
        {"out of range",
         [](auto& r) { r.setText(documented::HKEY_CURRENT_USER, kToggle, "", "65537"); }, 0},
        {"binary",
         [](auto& r) {
             r.set(documented::HKEY_CURRENT_USER, kToggle, "", documented::REG_BINARY, {2});
         },
         2},
        // Windows keeps the current user's setting in the named value, and reads only that.
        {"named Hotkey only",
         [](auto& r) { r.setText(documented::HKEY_CURRENT_USER, kToggle, "Hotkey", "2"); }, 2},
        {"named before unnamed",
         [](auto& r) {
             r.setText(documented::HKEY_CURRENT_USER, kToggle, "", "1");
             r.setText(documented::HKEY_CURRENT_USER, kToggle, "Hotkey", "2");
         },
         2},
        {"oversized",
         [](auto& r) {
             r.set(documented::HKEY_CURRENT_USER, kToggle, "", documented::REG_SZ,
                   std::vector<std::uint8_t>(4000, '2'));
         },
         0},
    };
    for (const Row& row : rows) {
        fakes::FakeForm1Platform p;
        row.store(p.registry);
        Form1 f{p.platform()};
        f.show();
        EXPECT_EQ(selectedOptionOf(p.window), row.selected) << row.what;
        EXPECT_TRUE(p.registry.writes.empty()) << row.what << ": start-up never writes";
    }
}

TEST_F(Form1Test, DefaultKeepsTheSelectionWhenNothingUsableIsStored) {
    form.show();
    window.userClick(sp::kOption2);
    window.userClick(sp::kDefault);
    EXPECT_EQ(selectedOption(), 2);
    registry.setText(documented::HKEY_CURRENT_USER, kToggle, "", "1");
    window.userClick(sp::kDefault);
    EXPECT_EQ(selectedOption(), 1);
}

// Success is never reported for a setting that was not stored; the default profile's copy,
// which needs rights a standard user lacks, is no error for the user.
TEST_F(Form1Test, ApplyDecisions) {
    constexpr std::u16string_view kReboot = u"Keyboard switching will be enabled on reboot";
    struct Row {
        const char* what;
        std::optional<std::string> stored;
        ControlId choose;  // kNoControl: leave the start-up selection
        std::vector<std::string> written;
        std::pair<std::uint32_t, const char*> readOnly = {};  // a key whose writes are refused
        std::u16string_view box = {};  // none: kReboot when anything is written
        const char* hotkey = nullptr;  // the named value "Hotkey" beside the unnamed one
    } rows[] = {
        {"stored 2, unchanged", "2", kNoControl, {}},
        {"stored 2, choose 3", "2", sp::kOption3, storedAs("3")},
        {"stored 2, choose 2 again", "2", sp::kOption2, {}},
        {"nothing stored, none chosen", {}, kNoControl, {}},
        {"nothing stored, choose 1", {}, sp::kOption1, storedAs("1")},
        // No choice stores nothing: an empty text would wipe the grave-accent setting.
        {"stored 4, none chosen", "4", kNoControl, {}},
        {"stored out of range, none chosen", "99999", kNoControl, {}},
        {"stored out of range, choose 2", "99999", sp::kOption2, storedAs("2")},
        {"stored text, choose 3", "Not Found", sp::kOption3, storedAs("3")},
        // An older tool's unnamed value is not what Windows uses.
        {"unnamed 1, Hotkey 2, choose 1", "1", sp::kOption1, storedAs("1"), {}, {}, "2"},
        {"unnamed 1, Hotkey 2, choose 2", "1", sp::kOption2, {}, {}, {}, "2"},
        {"current user refused",
         {},
         sp::kOption1,
         {},
         {documented::HKEY_CURRENT_USER, kToggle},
         u"The keyboard switching setting could not be saved."},
        {"default profile refused",
         {},
         sp::kOption1,
         {"HKCU:Hotkey=1", "HKCU:Language Hotkey=1"},
         {documented::HKEY_USERS, kDefaultToggle}},
    };
    for (const Row& row : rows) {
        fakes::FakeForm1Platform p;
        auto [w, r, u] = std::tie(p.window, p.registry, p.ui);
        if (row.stored)
            r.setText(documented::HKEY_CURRENT_USER, kToggle, "", *row.stored);
        if (row.hotkey)
            r.setText(documented::HKEY_CURRENT_USER, kToggle, "Hotkey", row.hotkey);
        if (row.readOnly.second)
            r.readOnlyKeys.insert(row.readOnly);
        Form1 f{p.platform()};
        f.show();
        if (row.choose != kNoControl)
            w.userClick(row.choose);
        std::vector<std::string> writtenWhileBoxOpen;
        u.onMessageBox = [&] { writtenWhileBoxOpen = describeWrites(r); };
        w.userClick(sp::kApply);
        EXPECT_EQ(describeWrites(r), row.written) << row.what;
        const std::u16string_view box = !row.box.empty()      ? row.box
                                        : row.written.empty() ? u""
                                                              : kReboot;
        ASSERT_EQ(u.boxes.size(), box.empty() ? 0u : 1u) << row.what;
        EXPECT_EQ(u.hotkeyReloads, box == kReboot ? 1 : 0) << row.what;
        if (box.empty())
            continue;
        EXPECT_EQ(u.boxes[0].text, box) << row.what;
        EXPECT_EQ(u.boxes[0].title, u"Zemrak");
        EXPECT_EQ(u.boxes[0].style, 0u);
        if (box == kReboot) {
            // Told only once the user's own setting is stored; the default profile comes after.
            EXPECT_EQ(writtenWhileBoxOpen,
                      (std::vector<std::string>{row.written[0], row.written[1]}))
                << row.what;
        }
    }
}

// The layouts of one language cycle on the other key sequence; taking its keys frees it.
TEST_F(Form1Test, ApplyFreesTheLayoutHotkeyWhenItTakesItsKeys) {
    for (const auto& [layoutHotkey, choose, after] : {std::tuple{"2", sp::kOption2, "3"},
                                                      {"2", sp::kOption1, "2"},
                                                      {"1", sp::kOption3, "1"},
                                                      {"3", sp::kOption3, "3"}}) {
        fakes::FakeForm1Platform p;
        auto& r = p.registry;
        r.setText(documented::HKEY_CURRENT_USER, kToggle, "Layout Hotkey", layoutHotkey);
        Form1 f{p.platform()};
        f.show();
        p.window.userClick(choose);
        p.window.userClick(sp::kApply);
        const RegistryData* stored =
            r.find(documented::HKEY_CURRENT_USER, kToggle, "Layout Hotkey");
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(std::string(stored->bytes.begin(), stored->bytes.end() - 1), after)
            << layoutHotkey << " then option " << choose;
        const bool written = std::any_of(r.writes.begin(), r.writes.end(), [](const auto& w) {
            return w.valueName == "Layout Hotkey";
        });
        EXPECT_EQ(written, std::string(layoutHotkey) != after) << "only a change is written";
    }
}

TEST_F(Form1Test, SwitchButtonsDriveTheActiveLayout) {
    registry.setText(documented::HKEY_CURRENT_USER, "keyboard layout\\preload\\1", "", "00000409");
    form.show();
    window.userClick(sp::kARswitch);
    EXPECT_EQ(layouts.active.name, "00000401");
    window.userClick(sp::kARswitch);
    window.userClick(sp::kEnswitch);
    window.userClick(sp::kEnswitch);
    EXPECT_EQ(layouts.loads, (std::vector<std::string>{"00000401", "00000409"}));
    EXPECT_EQ(form.getCurrentLanguage(), "00000409");
}

// A build without the maker's real feedback address says so where the user reads about it.
TEST_F(Form1Test, AboutSaysWhenFeedbackReachesNoOne) {
    for (const auto& [url, noted] :
         {std::pair{u"https://feedback.harfpad.invalid/softfback.php", true},
          {u"http://127.0.0.1:47813/softfback.php", false}}) {
        fakes::FakeForm1Platform p;
        Form1 f{p.platform(nullptr, {url, u"http://probe.test/"})};
        f.show();
        EXPECT_EQ(p.window.text(info_pages::kAboutFeedbackNote).find(u"reach no one") !=
                      std::u16string::npos,
                  noted)
            << noted;
    }
}

// Labels read exactly as designed: runs of several blanks are kept, odd words too; the pages
// stand in their order.
TEST_F(Form1Test, LabelsKeepTheirBlanksAndPagesTheirOrder) {
    form.show();
    EXPECT_EQ(window.text(sp::kLabel26),
              u"Keyboard switching is used to switch  between   the  default language   and   "
              u"the     arabic language using the keyboard.");
    EXPECT_EQ(window.text(feedback_page::kLabel4),
              u"I would be pleased to give me your feedback or any problems  with the software. "
              u"Click here >>>");
    EXPECT_EQ(window.text(feedback_page::kLabel20), u"Servre Status");
    const auto& pages = form1Spec().pages;
    ASSERT_EQ(pages.size(), 6u);
    const char16_t* names[] = {u"Setting",  u"KB Testing",      u"About",
                               u"Feedback", u"Unicode Testing", u"Other Products"};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(std::u16string(pages[i].caption), names[i]);
}

}  // namespace
}  // namespace harfpad
