#include "support/WineTest.h"

#include <shellapi.h>

namespace harfpad::wine_test {

void pumpMessages(std::chrono::milliseconds duration, const std::function<bool()>& done,
                  const std::function<bool(MSG&)>& preTranslate) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (preTranslate && preTranslate(msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done && done())
            return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool trayIconShown(HWND owner, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

int iconWidth(HWND window, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

MessageBoxAnswerer::MessageBoxAnswerer() : thread_([this] { run(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
}

std::vector<MessageBoxAnswerer::Seen> MessageBoxAnswerer::seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

void MessageBoxAnswerer::run() {
    const DWORD process = ::GetCurrentProcessId();
    while (!stop_) {
        HWND box = nullptr;
        while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(box, &owner);
            if (owner != process || !::IsWindowVisible(box))
                continue;
            wchar_t title[256] = {}, text[1024] = {};
            ::GetWindowTextW(box, title, 256);
            // The message text is the dialog's static control with id 0xFFFF.
            ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
            {
                std::lock_guard lock(mutex_);
                HWND owner = ::GetWindow(box, GW_OWNER);
                seen_.push_back({title, text, owner, owner && ::IsWindowEnabled(owner)});
            }
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            // Wait until that box is gone so it is recorded once.
            for (int i = 0; i < 200 && ::IsWindow(box) && !stop_; ++i) ::Sleep(10);
        }
        ::Sleep(20);
    }
}

}  // namespace harfpad::wine_test
