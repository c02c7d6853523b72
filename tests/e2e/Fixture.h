// Shared set-up for the scenarios: registry state before the program starts, and helpers.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "Options.h"
#include "driver/Driver.h"

namespace e2e {

using namespace harfpad::driver;

inline constexpr const wchar_t* kToggleKey = L"keyboard layout\\toggle";
inline constexpr const wchar_t* kDefaultToggleKey = L".default\\keyboard layout\\toggle";

class HarfpadTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (or another build of it) and waits for its main window.
    void start(const std::wstring& exePath = options().exePath);
    // Selects the page whose tab reads `caption`.
    void openPage(const std::wstring& caption);
    HWND control(const std::wstring& text, const wchar_t* cls = L"Button") const;
    // The window of a page ("KB Testing"), and a control on that page only.
    HWND page(const std::wstring& caption) const;
    HWND pageControl(const std::wstring& pageCaption, const std::wstring& text,
                     const wchar_t* cls = L"Button") const;
    // Waits for one message box, reads it and answers OK.
    struct Box {
        std::wstring title, text;
    };
    std::optional<Box> answerOneMessageBox(std::chrono::milliseconds limit = 3000ms);
    void screenshot(const std::wstring& name);

    static void storeText(HKEY root, const wchar_t* key, const wchar_t* name,
                          const std::wstring& text);

    std::unique_ptr<Program> program;
    HWND main = nullptr;
};

}  // namespace e2e
