// Synthesised keystrokes reaching a real, focused edit box of this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "support/WineTest.h"
#include "keyboard/clsKeys.h"
#include "platform/win32/Win32KeyInput.h"

namespace harfpad {
namespace {

using namespace std::chrono_literals;

class WineKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        frame = ::CreateWindowExW(0, L"STATIC", L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                  400, 120, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(frame, nullptr);
        edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                                 360, 24, frame, nullptr, instance, nullptr);
        ASSERT_NE(edit, nullptr);
        ::SetForegroundWindow(frame);
        ::SetFocus(edit);
        wine_test::pumpMessages(200ms, [&] { return ::GetFocus() == edit; });
        ASSERT_EQ(::GetFocus(), edit);
        // Wine resynchronises the key states with the X server when the window takes the
        // focus; let that pass before the first synthesised key.
        wine_test::pumpMessages(300ms);
    }
    void TearDown() override {
        if (frame)
            ::DestroyWindow(frame);
        wine_test::pumpMessages(20ms);
    }

    void setText(const wchar_t* text, int caret) {
        ::SetWindowTextW(edit, text);
        ::SendMessageW(edit, EM_SETSEL, caret, caret);
    }
    std::wstring text() const {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(edit, buffer, 256);
        return buffer;
    }
    DWORD caret() const {
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return start == end ? start : 0xFFFFFFFF;
    }
    // Lets the synthesised input reach the edit box, until the text reads as expected.
    void settle(const std::wstring& expected) {
        wine_test::pumpMessages(2000ms, [&] { return text() == expected; });
        wine_test::pumpMessages(50ms);
    }
    bool capsLock() {
        bool caps = false, num = false, scroll = false;
        keys.GetLockStatus(caps, num, scroll);
        return caps;
    }

    HWND frame = nullptr;
    HWND edit = nullptr;
    win32::Win32KeyInput system;
    win32::Win32AnsiCodePage codePage;
    clsKeys keys{system, codePage};
};

TEST_F(WineKeysTest, ScriptsTypeAndEdit) {
    struct Row {
        const wchar_t* before;
        int caret;
        const char16_t* script;
        const wchar_t* after;
    } rows[] = {
        {L"", 0, u"+abc", L"Abc"},
        {L"", 0, u"+(ab)c", L"ABc"},
        {L"abcd", 4, u"{LEFT 2}x", L"abxcd"},
        {L"abcd", 4, u"{BS}", L"abc"},
        {L"abcd", 4, u"{LEFT 2}{BS}", L"acd"},
        {L"abcd", 4, u"{BS 3}{HOME}z", L"za"},
        {L"", 0, u"{+}{%}{~}{}}", L"+%~}"},
        {L"", 0, u"{a 3}", L"aaa"},
    };
    for (const Row& row : rows) {
        setText(row.before, row.caret);
        keys.PressSendKeys(row.script);
        settle(row.after);
        EXPECT_EQ(text(), row.after)
            << "from \"" << std::string(row.before, row.before + wcslen(row.before)) << "\"";
        EXPECT_FALSE(::GetAsyncKeyState(VK_SHIFT) & 0x8000) << "Shift left down";
    }
}

TEST_F(WineKeysTest, LockStatusFollowsCapsLock) {
    setText(L"", 0);
    wine_test::pumpMessages(20ms);
    const bool before = capsLock();
    keys.PressKeyVK(20);
    wine_test::pumpMessages(2000ms, [&] { return capsLock() != before; });
    const bool toggled = capsLock();
    keys.PressKeyVK(20);  // put Caps Lock back as it was
    wine_test::pumpMessages(2000ms, [&] { return capsLock() == before; });
    EXPECT_NE(toggled, before);
    EXPECT_EQ(capsLock(), before);
}

}  // namespace
}  // namespace harfpad
