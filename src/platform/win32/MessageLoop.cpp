#include "platform/win32/MessageLoop.h"

namespace harfpad::win32 {

int runMessageLoop(const std::function<bool(MSG&)>& preTranslate) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (preTranslate && preTranslate(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace harfpad::win32
