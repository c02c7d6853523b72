// The user32 calls the layout switcher makes: the active layout, the installed ones, loading and
// activating, and asking another program's window to take a layout.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace harfpad {

// An input locale identifier (HKL): the language in the low word, the layout in the high word.
using LayoutHandle = std::uintptr_t;
// A window handle (HWND) carried as a number; 0 for none.
using WindowHandle = std::uintptr_t;

// How Windows keeps the active layout: one for the user that follows the focus from window to
// window (the default since Windows 8), or one per thread ("Let me use a different input method
// for each app window").
enum class InputMode { kShared, kPerThread };

// The window the user types in, as the tray menu knows it.
struct UserWindow {
    WindowHandle window = 0;      // the focus window of the last one in front; 0 when unknown
    bool programInFront = false;  // the program's own window was in front when the item was chosen
};

constexpr unsigned kKlfActivate = 0x1;
// Honour the user's substitute for the layout, as Windows does when it starts the preload list.
constexpr unsigned kKlfSubstituteOk = 0x2;

// The primary language of a layout handle (PRIMARYLANGID of its low word).
constexpr unsigned primaryLanguage(LayoutHandle layout) {
    return static_cast<unsigned>(layout & 0x3FF);
}

class IKeyboardLayoutApi {
  public:
    virtual ~IKeyboardLayoutApi() = default;
    // Writes the active layout's name into `buffer` as a zero-terminated ANSI string.
    // False when the platform cannot tell.
    virtual bool getKeyboardLayoutName(std::span<char> buffer) = 0;
    // Loads the named layout with the given flags; 0 when the platform refuses it.
    virtual LayoutHandle loadKeyboardLayout(const std::string& name, unsigned flags) = 0;
    // The layout active on this thread (GetKeyboardLayout).
    virtual LayoutHandle activeLayout() = 0;
    // The user's installed layouts, in the system's order (GetKeyboardLayoutList).
    virtual std::vector<LayoutHandle> installedLayouts() = 0;
    // Makes an installed layout the active one for this program (ActivateKeyboardLayout).
    virtual void activateLayout(LayoutHandle layout) = 0;

    // The mode Windows switches in now (SPI_GETTHREADLOCALINPUTSETTINGS); shared when it cannot
    // tell.
    virtual InputMode inputMode() = 0;
    // The window with the keyboard focus in the input state of `window`'s thread
    // (GetGUIThreadInfo), which may belong to another thread; `window` itself when none has it,
    // 0 when `window` is gone.
    virtual WindowHandle focusWindowOf(WindowHandle window) = 0;
    // The layout active on `window`'s thread (GetKeyboardLayout of that thread).
    virtual LayoutHandle layoutOf(WindowHandle window) = 0;
    // False when a message from this program cannot reach `window`: its process runs at a higher
    // integrity level than this program's, or cannot be asked for its level.
    virtual bool canReach(WindowHandle window) = 0;
    // Asks `window` to make `layout` active on its thread, as the taskbar's language indicator
    // does (posts WM_INPUTLANGCHANGEREQUEST); false when the message could not be posted.
    virtual bool requestLayout(WindowHandle window, LayoutHandle layout) = 0;
};

}  // namespace harfpad
