// The two on-screen keyboards as a user meets them: found by their captions, clicked, and the
// text boxes read back.
#include <windows.h>

#include "Fixture.h"

namespace e2e {
namespace {

constexpr const wchar_t* kKbPage = L"KB Testing";
constexpr const wchar_t* kUnicodePage = L"Unicode Testing";

class KeyboardScenarios : public HarfpadTest {
  protected:
    void SetUp() override {
        HarfpadTest::SetUp();
        start();
    }
    HWND key(const wchar_t* pageCaption, const std::wstring& caption) const {
        HWND button = pageControl(pageCaption, caption);
        EXPECT_NE(button, nullptr) << "no key " << std::string(caption.begin(), caption.end());
        return button;
    }
    HWND textBox(const wchar_t* pageCaption) const {
        return findFirstOfClass(page(pageCaption), L"Edit");
    }
    bool waitForText(HWND box, const std::wstring& expected) const {
        return waitFor([&] { return windowText(box) == expected; }, 2000ms);
    }
};

TEST_F(KeyboardScenarios, UnicodeKeysAppendTheirCaptionsAndShiftLatches) {
    openPage(kUnicodePage);
    HWND box = textBox(kUnicodePage);
    ASSERT_NE(box, nullptr);
    click(key(kUnicodePage, L"\u0636"));        // the key in the place of Q
    click(key(kUnicodePage, L"\u0644\u0627"));  // B: two characters
    click(key(kUnicodePage, L"Enter"));
    EXPECT_EQ(windowText(box), L"\u0636\u0644\u0627\r\n");
    click(key(kUnicodePage, L"Backspace"));
    EXPECT_EQ(windowText(box), L"\u0636\u0644\u0627\r") << "the line feed goes alone";

    click(key(kUnicodePage, L"Backspace"));
    EXPECT_EQ(windowText(box), L"\u0636\u0644\u0627");

    click(key(kUnicodePage, L"Shift"));
    EXPECT_EQ(pageControl(kUnicodePage, L"\u0636"), nullptr) << "all keys shifted";
    HWND fatha = key(kUnicodePage, L"\u064E");  // shifted Q
    click(fatha);
    EXPECT_EQ(windowText(box), L"\u0636\u0644\u0627\u064E");
    click(fatha);  // still shifted
    EXPECT_EQ(windowText(box), L"\u0636\u0644\u0627\u064E\u064E");
    click(key(kUnicodePage, L"Capslock"));
    EXPECT_NE(pageControl(kUnicodePage, L"\u0636"), nullptr) << "Capslock unshifts";
}

TEST_F(KeyboardScenarios, PictureKeysTypeThroughTheKeyboardIntoText4) {
    openPage(kKbPage);
    HWND box = textBox(kKbPage);
    ASSERT_NE(box, nullptr);
    // The keys are found by the legend a screen reader announces.
    click(key(kKbPage, L"\u0633"));
    click(key(kKbPage, L"\u0644\u0627"));
    click(key(kKbPage, L"\u0661"));  // shows the Arabic-Indic one, types the ASCII digit
    // Wine's layouts have no Arabic letters: those keys type nothing rather than fake them.
    EXPECT_TRUE(waitForText(box, L"1")) << "Text4 holds " << windowText(box).size() << " units";
    click(key(kKbPage, L"Enter"));
    click(key(kKbPage, L"Tab"));
    EXPECT_TRUE(waitForText(box, L"1\r\n     "));
    click(key(kKbPage, L"Backspace"));
    EXPECT_TRUE(waitForText(box, L"1\r\n    "));
    for (const wchar_t* modifier : {L"Shift", L"Ctrl", L"ALT"}) click(key(kKbPage, modifier));
    ::Sleep(200);
    EXPECT_EQ(windowText(box), L"1\r\n    ") << "modifiers type nothing";
    EXPECT_EQ(::GetWindowLongW(box, GWL_STYLE) & ES_MULTILINE, ES_MULTILINE);
}

}  // namespace
}  // namespace e2e
