// The system's input locales as Windows 8 and later document them: one list of installed layouts
// for the whole system and an active one; and the session around the
// program: the input mode, other programs' windows and threads, and which window is in front.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fakes/Documented.h"
#include "platform/KeyboardLayoutApi.h"

namespace harfpad::fakes {

// One input locale: the layout file's name (KLID) and the language it is installed under.
struct InputLocale {
    std::string name;
    unsigned language = 0;

    // Without a language, the one the name carries in its low word.
    InputLocale(std::string klid = "00000409", unsigned lang = 0)
        : name(std::move(klid)), language(lang ? lang : lowWord(name)) {}
    InputLocale(const char* klid) : InputLocale(std::string(klid)) {}

    // learn.microsoft.com, GetKeyboardLayout: "The low word contains a Language Identifier for
    // the input language and the high word contains a device handle to the physical layout".
    // Here a base layout ("0000xxxx") is named by its own language and a variant ("000nxxxx")
    // by 0xF000 with its number, as the handles Windows hands out look.
    LayoutHandle handle() const {
        const unsigned variant = name.size() == 8 ? hex(name.substr(0, 4)) : 0;
        const unsigned layout = variant == 0 ? lowWord(name) : 0xF000u | (variant & 0xFFu);
        return (LayoutHandle{layout} << 16) | language;
    }

    static unsigned hex(const std::string& digits) {
        return static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 16));
    }
    static unsigned lowWord(const std::string& klid) {
        return klid.size() >= 4 ? hex(klid.substr(klid.size() - 4)) : 0;
    }
};

class FakeKeyboardLayout final : public IKeyboardLayoutApi {
  public:
    std::vector<InputLocale> installed{InputLocale("00000409")};
    InputLocale active{"00000409"};
    bool failNameQuery = false;
    bool activateOnLoad = true;  // false: the platform refuses every layout
    std::vector<std::string> loads;
    unsigned lastFlags = 0;

    // learn.microsoft.com, SystemParametersInfoW: SPI_GETTHREADLOCALINPUTSETTINGS (0x104E), whether
    // the input settings are local to each thread (TRUE) or one for the session (FALSE).
    bool perThread = false;
    // Other programs' windows; the program's own windows are all window 0 on thread 1.
    struct Window {
        unsigned thread;
        bool elevated = false;   // its process runs at a higher integrity level
        WindowHandle focus = 0;  // GetGUIThreadInfo's hwndFocus; 0: the window itself
    };
    std::map<WindowHandle, Window> windows;
    std::map<unsigned, LayoutHandle> threadLayouts;  // the other threads' layouts
    LayoutHandle userLayout = active.handle();       // the layout shared mode keeps for the user
    WindowHandle foreground = 0;                     // 0: a window of the program

    // The user clicks a window. learn.microsoft.com, "Switch text input changed from per-thread to
    // per-user" (Windows 8 compatibility): in shared mode "the current settings follow the focus".
    void focus(WindowHandle window) {
        foreground = window;
        if (!perThread)
            setLayout(threadOf(focusWindowOf(window)), userLayout);
    }

    // learn.microsoft.com, GetKeyboardLayoutNameA: the name of the active input locale.
    bool getKeyboardLayoutName(std::span<char> buffer) override {
        if (failNameQuery)
            return false;
        const std::size_t n = std::min(active.name.size() + 1, buffer.size());
        std::memcpy(buffer.data(), active.name.c_str(), n);
        return true;
    }

    // learn.microsoft.com, LoadKeyboardLayoutA.
    LayoutHandle loadKeyboardLayout(const std::string& name, unsigned flags) override {
        // "Beginning in Windows 8: ... This function has no effect if the current process does
        // not own the window with keyboard focus."
        if (foreground != 0)
            return 0;
        loads.push_back(name);
        lastFlags = flags;
        if (!activateOnLoad)
            return 0;
        std::string klid = name;
        // A preload entry such as "d0010409" names no layout file: the language's base layout is
        // what such a name loads.
        if (klid.empty() || klid[0] != '0')
            klid = "0000" + (klid.size() >= 4 ? klid.substr(klid.size() - 4) : std::string("0409"));
        const InputLocale loaded(klid, InputLocale::lowWord(name));
        // A locale that is loaded already is handed back; "if the specified input locale
        // identifier is not already loaded, the function loads and activates" it, and
        // "beginning in Windows 8, the input locale identifier is loaded for the entire system".
        if (const InputLocale* known = find(loaded.handle()))
            return known->handle();
        installed.push_back(loaded);
        if (flags & documented::KLF_ACTIVATE)
            setLayout(1, loaded.handle());
        return loaded.handle();
    }

    // learn.microsoft.com, GetKeyboardLayout: the thread's active input locale identifier.
    LayoutHandle activeLayout() override { return active.handle(); }

    // learn.microsoft.com, GetKeyboardLayoutList: the identifiers of the current set of
    // input locales in the system.
    std::vector<LayoutHandle> installedLayouts() override {
        std::vector<LayoutHandle> handles;
        for (const InputLocale& locale : installed) handles.push_back(locale.handle());
        return handles;
    }

    // learn.microsoft.com, ActivateKeyboardLayout: the locale "must have been loaded" before.
    void activateLayout(LayoutHandle layout) override { setLayout(1, layout); }

    InputMode inputMode() override {
        return perThread ? InputMode::kPerThread : InputMode::kShared;
    }
    // learn.microsoft.com, GetGUIThreadInfo: "hwndFocus: A handle to the window that has the
    // keyboard focus".
    WindowHandle focusWindowOf(WindowHandle window) override {
        const auto it = windows.find(window);
        return it != windows.end() && it->second.focus ? it->second.focus : window;
    }
    // learn.microsoft.com, GetKeyboardLayout: the active input locale identifier of idThread.
    // Compatibility notes as above: "The session starts with the default method".
    LayoutHandle layoutOf(WindowHandle window) override {
        const unsigned thread = threadOf(window);
        return thread == 1 ? active.handle()
                           : threadLayouts.try_emplace(thread, userLayout).first->second;
    }
    // learn.microsoft.com, GetTokenInformation: TokenIntegrityLevel, ours against theirs.
    bool canReach(WindowHandle window) override { return !windows[window].elevated; }
    // learn.microsoft.com (archive), "What is User Interface Privilege Isolation (UIPI)": posts to
    // a higher integrity level "return success but silently drop the window message". Otherwise,
    // learn.microsoft.com, WM_INPUTLANGCHANGEREQUEST (0x0050): DefWindowProc "activates the new
    // input locale".
    bool requestLayout(WindowHandle window, LayoutHandle layout) override {
        if (!windows[window].elevated)
            setLayout(threadOf(window), layout);
        return true;
    }

  private:
    unsigned threadOf(WindowHandle window) { return window == 0 ? 1 : windows[window].thread; }
    // Compatibility notes as above: in shared mode a change "applies on other apps when the focus
    // is on the app"; one made on a thread without the focus is not kept.
    void setLayout(unsigned thread, LayoutHandle layout) {
        const InputLocale* known = find(layout);
        if (!known || (!perThread && thread != threadOf(focusWindowOf(foreground))))
            return;
        if (!perThread)
            userLayout = layout;
        if (thread == 1)
            active = *known;
        else
            threadLayouts[thread] = layout;
    }
    const InputLocale* find(LayoutHandle layout) const {
        for (const InputLocale& locale : installed)
            if (locale.handle() == layout)
                return &locale;
        return nullptr;
    }
};

}  // namespace harfpad::fakes
