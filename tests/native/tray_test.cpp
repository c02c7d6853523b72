// The tray indicator: the hidden window's notification record and behaviour, and the life of
// the program between the main window and the notification area, against fakes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SettingPage.h"
#include "fakes/FakeForm1Platform.h"
#include "fakes/FakeTray.h"
#include "fakes/RecordingTrayOwner.h"
#include "tray/trayicon.h"

namespace harfpad {
namespace {

namespace sp = setting_page;

// The tip field as ASCII (every character the program writes is).
std::string tipBytes(const NotifyIconRecord& record) {
    return std::string(record.szTip.begin(), record.szTip.end());
}

// The designed 64 characters; the Unicode record's other 64 stay zero.
const std::string kExpectedTip =
    std::string("Arabic TrayIcon") + '\0' + std::string(48, ' ') + std::string(64, '\0');

// Whatever its length, a tip ends within the designed 64 characters, with its terminator.
TEST(TrayTip, ALongTipIsCutToTheDesignedField) {
    const auto field = trayicon::tipField(std::string(200, 'z'));
    EXPECT_EQ(std::u16string(field.begin(), field.begin() + 64), std::u16string(63, u'z') + u'\0');
}

// ---- the hidden window against a fake main window ----

class Form2Test : public ::testing::Test {
  protected:
    fakes::FakeShellNotify shell;
    fakes::FakeTrayWindow window;
    fakes::RecordingTrayOwner owner;
    Form2 form2{{window, shell}, owner};
};

TEST_F(Form2Test, LoadtrayCreatesTheHiddenWindowOnceAndNamesTheIconByItsPicture) {
    EXPECT_FALSE(window.created());
    EXPECT_EQ(form2.trayPicture(), 0u);
    EXPECT_EQ(window.events, &form2);
    form2.loadtray();
    form2.loadtray();
    EXPECT_EQ(window.creates, 1);
    EXPECT_EQ(form2.trayPicture(), window.iconWhenCreated);
    ASSERT_EQ(shell.count(documented::NIM_ADD), 2);
    EXPECT_TRUE(shell.calls[0].accepted);
    EXPECT_FALSE(shell.calls[2].accepted) << "the same icon twice is refused";
    EXPECT_EQ(shell.icons.size(), 1u);
    const NotifyIconRecord& r = shell.calls[0].record;
    EXPECT_EQ(r.hWnd, window.handleWhenCreated);
    EXPECT_EQ(r.hIcon, window.iconWhenCreated);
    EXPECT_EQ(r.uID, static_cast<std::uint32_t>(r.hIcon)) << "identifier and image agree";
    // learn.microsoft.com, NOTIFYICONDATAW: NIF_SHOWTIP (0x80) keeps the standard tip, which
    // version 4 otherwise leaves out.
    EXPECT_EQ(r.uFlags, 7u | 0x80u);
    EXPECT_EQ(r.uCallbackMessage, 512u);
    EXPECT_EQ(tipBytes(r), kExpectedTip);
    EXPECT_EQ(tipBytes(form2.record()), kExpectedTip) << "the record stays filled";
    EXPECT_EQ(shell.calls[1].message, 4u) << "NIM_SETVERSION after the add";
    EXPECT_EQ(shell.icons.begin()->second, 4u) << "NOTIFYICON_VERSION_4";
}

// What the user does to the icon reaches the window as the shell sends it for the version the
// program asked for: selected from the keyboard the icon opens the main window, and the menu
// opens once at the icon's anchor and gives the focus back to the notification area.
TEST_F(Form2Test, EveryWayOfActingOnTheIconWorksByMouseAndByKeyboard) {
    using Act = fakes::FakeShellNotify::Act;
    const std::vector<std::string> shown{"show", "indicator 1"};
    struct Row {
        const char* what;
        Act act;
        ScreenPoint at;
        std::vector<std::string> calls;
        std::size_t menus;
    } rows[] = {
        {"double-click", Act::DoubleClick, {}, shown, 0},
        {"right-click", Act::RightClick, {300, 250}, {}, 1},
        {"Enter on the icon", Act::MouseSelectEnter, {}, shown, 0},
        {"menu key, left of the main monitor", Act::MenuKey, {-40, 700}, {}, 1},
        {"Space or Enter from the keyboard", Act::KeySelect, {}, shown, 0},
    };
    form2.loadtray();
    for (const Row& row : rows) {
        owner.calls.clear();
        window.menus.clear();
        window.menuPlaces.clear();
        const int focusReturns = shell.count(3);  // NIM_SETFOCUS
        window.userActs(shell, row.act, row.at);
        EXPECT_EQ(owner.calls, row.calls) << row.what;
        ASSERT_EQ(window.menus.size(), row.menus) << row.what;
        EXPECT_EQ(shell.count(3) - focusReturns, static_cast<int>(row.menus)) << row.what;
        if (row.menus == 1) {
            EXPECT_EQ(window.menuPlaces[0].x, row.at.x) << row.what;
            EXPECT_EQ(window.menuPlaces[0].y, row.at.y) << row.what;
            EXPECT_TRUE(shell.calls.back().accepted) << row.what;
        }
    }
}

TEST_F(Form2Test, NewTaskbarGetsTheIconAgainOnlyWhileItIsOn) {
    form2.taskbarCreated();
    EXPECT_TRUE(shell.calls.empty());

    form2.loadtray();
    shell.icons.clear();  // Explorer restarted and forgot it
    form2.taskbarCreated();
    EXPECT_EQ(shell.icons.size(), 1u);
    EXPECT_EQ(shell.icons.begin()->second, 4u) << "the new taskbar is asked for version 4 too";
    EXPECT_EQ(tipBytes(shell.calls.back().record), kExpectedTip);

    form2.deltray();
    const std::size_t before = shell.calls.size();
    form2.taskbarCreated();
    EXPECT_EQ(shell.calls.size(), before);
    EXPECT_TRUE(shell.icons.empty());
}

TEST_F(Form2Test, ClosingWindowTakesAShownIconAway) {
    form2.windowClosing();
    EXPECT_TRUE(shell.calls.empty()) << "no icon, nothing to remove";
    form2.loadtray();
    form2.windowClosing();
    EXPECT_TRUE(shell.icons.empty());
    EXPECT_EQ(shell.calls.back().message, documented::NIM_DELETE);
    form2.windowClosing();
    EXPECT_EQ(shell.count(documented::NIM_DELETE), 1) << "removed once";
}

TEST(Form2Lifetime, GoingAwayRemovesTheIconAndLetsGoOfTheWindow) {
    fakes::FakeShellNotify shell;
    fakes::FakeTrayWindow window;
    fakes::RecordingTrayOwner owner;
    {
        Form2 form2({window, shell}, owner);
        form2.loadtray();
        EXPECT_EQ(shell.icons.size(), 1u);
    }
    EXPECT_TRUE(shell.icons.empty());
    EXPECT_EQ(window.events, nullptr);
}

// ---- the main window and the tray together ----

constexpr const char* kPreload = "keyboard layout\\preload\\1";

class TrayLifeTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    fakes::FakeShellNotify shell;
    fakes::FakeTrayWindow trayWindow;
    TrayPlatform tray{trayWindow, shell};
    Form1 form{platform(&tray)};

    enum class Step { Tick, Untick, Close, DoubleClick, RightClick };
    void run(Step step) {
        switch (step) {
            case Step::Tick:
            case Step::Untick:
                ASSERT_EQ(window.value(sp::kIndicator), step == Step::Tick ? 0 : 1);
                window.userClick(sp::kIndicator);
                break;
            case Step::Close:
                window.userClose();
                break;
            case Step::DoubleClick:
                trayWindow.userActs(shell, fakes::FakeShellNotify::Act::DoubleClick);
                break;
            case Step::RightClick:
                trayWindow.userActs(shell, fakes::FakeShellNotify::Act::RightClick);
                break;
        }
    }
};

TEST_F(TrayLifeTest, OffOnAndTrayOnly) {
    struct Row {
        const char* what;
        Step step;
        std::size_t icons;
        bool mainLoaded;
        int loads;
        bool ended;
    } rows[] = {
        {"tick: Off to On", Step::Tick, 1, true, 1, false},
        {"untick: On to Off", Step::Untick, 0, true, 1, false},
        {"tick again", Step::Tick, 1, true, 1, false},
        {"double-click with the window open", Step::DoubleClick, 1, true, 1, false},
        {"close: On to Tray only", Step::Close, 1, false, 1, false},
        {"double-click: Tray only to On", Step::DoubleClick, 1, true, 2, false},
        {"double-click again", Step::DoubleClick, 1, true, 2, false},
        {"untick after the return", Step::Untick, 0, true, 2, false},
        {"close in Off ends the program", Step::Close, 0, false, 2, true},
    };
    form.show();
    EXPECT_EQ(form.form2(), nullptr) << "no tray window at start";
    EXPECT_FALSE(trayWindow.created());
    for (const Row& row : rows) {
        run(row.step);
        EXPECT_EQ(shell.icons.size(), row.icons) << row.what;
        EXPECT_EQ(window.isLoaded(), row.mainLoaded) << row.what;
        EXPECT_EQ(window.loadCount(), row.loads) << row.what;
        EXPECT_EQ(ui.ended, row.ended) << row.what;
        if (row.mainLoaded) {
            EXPECT_EQ(window.value(sp::kIndicator), row.icons == 1 ? 1 : 0) << row.what;
        }
    }
    EXPECT_EQ(trayWindow.creates, 1) << "one hidden window for the whole run";
}

// The menu offers Arabic, then Default, and runs the item chosen, if any.
TEST_F(TrayLifeTest, MenuSwitchesLayoutsWhileTheMainWindowIsClosed) {
    registry.setText(documented::HKEY_CURRENT_USER, kPreload, "", "00000409");
    form.show();
    run(Step::Tick);
    run(Step::Close);
    for (const auto& [choice, active] : {std::pair<int, const char*>{Form2::kArabic, "00000401"},
                                         {-1, "00000401"},
                                         {Form2::kEnglish, "00000409"},
                                         {-1, "00000409"}}) {
        trayWindow.choice = choice;
        run(Step::RightClick);
        EXPECT_EQ(layouts.active.name, active) << "choice " << choice;
        EXPECT_EQ(trayWindow.menus.back(), (std::vector<std::u16string>{u"Arabic", u"Default"}));
    }
    EXPECT_EQ(layouts.loads, (std::vector<std::string>{"00000401", "00000409"}));
    EXPECT_FALSE(window.isLoaded());
    EXPECT_EQ(trayWindow.menus.size(), 4u);
}

TEST_F(TrayLifeTest, IndicatorClickFollowsTheValue) {
    form.show();
    // Greyed: nothing at all, not even the tray window; with no icon, closing ends the program.
    window.setValue(sp::kIndicator, 2);
    form.onClick(sp::kIndicator);
    EXPECT_EQ(form.form2(), nullptr);
    EXPECT_TRUE(shell.calls.empty());
    window.userClose();
    EXPECT_TRUE(ui.ended);
    form.show();
    // Unticked before any add: the tray window comes into being and removes nothing.
    window.setValue(sp::kIndicator, 0);
    form.onClick(sp::kIndicator);
    ASSERT_NE(form.form2(), nullptr);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].message, documented::NIM_DELETE);
    EXPECT_FALSE(shell.calls[0].accepted);
    // Greyed to ticked through setIndicator counts as a change.
    window.setValue(sp::kIndicator, 2);
    form.setIndicator(1);
    EXPECT_EQ(shell.icons.size(), 1u);
    form.setIndicator(1);
    EXPECT_EQ(shell.count(documented::NIM_ADD), 1);
}

// Before Explorer runs the shell refuses the icon: the program knows it has none, so closing
// the window ends it instead of leaving it out of reach, and a new taskbar gets the icon.
TEST_F(TrayLifeTest, AnIconTheShellRefusedKeepsNothingAlive) {
    shell.taskbarRunning = false;
    form.show();
    run(Step::Tick);
    ASSERT_NE(form.form2(), nullptr);
    EXPECT_FALSE(form.form2()->iconShown());
    shell.taskbarRunning = true;
    form.form2()->taskbarCreated();
    EXPECT_TRUE(form.form2()->iconShown());
    EXPECT_EQ(shell.icons.size(), 1u);
    run(Step::Close);
    EXPECT_FALSE(ui.ended) << "now the icon is there to come back by";
    // Explorer restarts and is not ready yet: the icon it forgot cannot come back at once.
    shell.icons.clear();
    shell.taskbarRunning = false;
    form.form2()->taskbarCreated();
    EXPECT_FALSE(form.form2()->iconShown());
    run(Step::DoubleClick);
    ASSERT_TRUE(window.isLoaded());
    EXPECT_FALSE(form.form2()->iconShown());
    run(Step::Close);
    EXPECT_TRUE(ui.ended) << "ticked, but no icon to come back by";
}

// A polite request to end (an installer, the task manager's close) ends with no icon left.
TEST_F(TrayLifeTest, EndingFromTheTrayClosesAnOpenMainWindowToo) {
    form.show();
    run(Step::Tick);
    form.form2()->closeRequested();
    EXPECT_TRUE(ui.ended);
    EXPECT_FALSE(window.isLoaded());
    EXPECT_TRUE(shell.icons.empty());
}

}  // namespace
}  // namespace harfpad
