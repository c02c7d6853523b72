#include "Fixture.h"

#include <thread>

namespace e2e {

void HarfpadTest::SetUp() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kToggleKey);
    ::RegDeleteTreeW(HKEY_USERS, kDefaultToggleKey);
}

void HarfpadTest::TearDown() {
    program.reset();
    SetUp();  // the toggle keys go again
}

void HarfpadTest::start(const std::wstring& exePath) {
    program = std::make_unique<Program>(exePath);
    ASSERT_TRUE(program->started()) << "cannot start the program";
    main = program->mainWindow();
    ASSERT_NE(main, nullptr) << "no main window";
}

void HarfpadTest::openPage(const std::wstring& caption) {
    Tabs tabs(*program, main);
    for (int i = 0; i < tabs.count(); ++i) {
        if (tabs.caption(i) == caption) {
            tabs.select(i);
            ASSERT_EQ(tabs.selected(), i);
            return;
        }
    }
    FAIL() << "no page called " << std::string(caption.begin(), caption.end());
}

HWND HarfpadTest::control(const std::wstring& text, const wchar_t* cls) const {
    return findControl(main, text, cls);
}

HWND HarfpadTest::page(const std::wstring& caption) const {
    return findControl(main, caption, L"HarfpadPage");
}

HWND HarfpadTest::pageControl(const std::wstring& pageCaption, const std::wstring& text,
                              const wchar_t* cls) const {
    HWND root = page(pageCaption);
    return root ? findControl(root, text, cls) : nullptr;
}

std::optional<HarfpadTest::Box> HarfpadTest::answerOneMessageBox(std::chrono::milliseconds limit) {
    HWND box = nullptr;
    if (!waitFor(
            [&] {
                const auto boxes = openMessageBoxes(*program);
                box = boxes.empty() ? nullptr : boxes.front();
                return box != nullptr;
            },
            limit)) {
        return std::nullopt;
    }
    Box seen{windowText(box), messageBoxText(box)};
    answerMessageBox(box);
    waitFor([&] { return !::IsWindow(box); });
    return seen;
}

void HarfpadTest::screenshot(const std::wstring& name) {
    if (options().screenshotDir.empty())
        return;
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::this_thread::sleep_for(300ms);
    const std::wstring path =
        options().screenshotDir + L"\\" + name + L"-" + options().screenshotTag + L".bmp";
    EXPECT_TRUE(saveScreenshot(main, path));
}

void HarfpadTest::storeText(HKEY root, const wchar_t* key, const wchar_t* name,
                            const std::wstring& text) {
    ASSERT_EQ(::RegSetKeyValueW(root, key, name, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

}  // namespace e2e
