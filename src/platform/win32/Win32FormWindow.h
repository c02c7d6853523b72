// A tabbed top-level window built from a FormSpec: one child window per page, controls created
// from the page tables and placed at the monitor's DPI. A page's controls are created when the
// page is first shown, so start-up builds only the first page; until then the form keeps what
// the behaviour sets on them and applies it at creation.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/AccessibleNames.h"
#include "platform/FormModel.h"
#include "platform/Ui.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"
#include "platform/win32/TextPicture.h"
#include "platform/win32/Win32Annotations.h"

namespace harfpad::win32 {

// Window class of the main window, so a second copy of the program and tests can find it.
inline constexpr wchar_t kFormWindowClass[] = L"HarfpadForm";

class Win32FormWindow final : public IFormWindow, public IAccessibleNames, private BaseWindow {
  public:
    Win32FormWindow(HINSTANCE instance, const FormSpec& spec, int iconResourceId);
    ~Win32FormWindow() override;
    using BaseWindow::hwnd;
    // The control's window; none before its page was first shown.
    HWND controlHwnd(ControlId id) const;
    int dpi() const { return dpi_; }
    // Keyboard navigation for the message loop: Tab, arrows, Ctrl+Tab between pages.
    // True when the message was handled and must not be dispatched.
    bool preTranslateMessage(MSG& msg);
    // While set, the pointer over the window is the wait pointer whatever it moves over.
    void setWaitCursor(bool wait) { waitCursor_ = wait; }

    // IFormWindow
    bool isLoaded() const override { return hwnd_ != nullptr; }
    void load(IFormEvents& events) override;
    void show() override;
    void close() override;

    // IFormView
    std::u16string text(ControlId id) const override;
    void setText(ControlId id, std::u16string_view text) override;
    int value(ControlId id) const override;
    void setValue(ControlId id, int value) override;
    bool isEnabled(ControlId id) const override;
    void setEnabled(ControlId id, bool enabled) override;
    bool isVisible(ControlId id) const override;
    void setVisible(ControlId id, bool visible) override;
    void setFocus(ControlId id) override;
    void caretToEnd(ControlId id) override;
    ControlId activeControl() const override;
    int fontCharset(ControlId id) const override;
    void setFontCharset(ControlId id, int charset) override;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    int selectedPage() const override;
    void selectPage(int index) override;

    // IAccessibleNames: kept for controls whose page is not built yet, applied as it is.
    void setName(ControlId id, std::u16string_view name) override;
    void setLiveRegion(ControlId id) override;
    void liveRegionChanged(ControlId id) override;

  private:
    // A control's window; its state lives there once it exists, in model_ until then.
    struct Control {
        const ControlSpec* spec = nullptr;
        int page = 0;
        TwipsRect pageRect;  // relative to the tab control
        HWND hwnd = nullptr;
        // kStyleRovingTabStop: index of the first control of its run in controls_.
        std::optional<std::size_t> run;
    };

    static LRESULT CALLBACK pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed() override;
    void registerClasses() const;
    void createChildren();
    void createPage(int page);
    void createControl(Control& control);
    void applyLayout();
    void layoutControl(Control& control, int dx, int dy);
    void centreOnMonitor();
    // The window's big and small icons drawn for this DPI.
    void loadIcons(int dpi);
    void showPage(int index);
    HFONT fontFor(const Control& control);
    LOGFONTW logFontFor(const FontSpec* spec) const;  // nullptr: the system's message font
    LOGFONTW formLogFont() const;
    void drawPicture(const Control& control, int width, int height);
    // A new colour scheme or theme: the pictures are drawn again in its colours.
    void coloursChanged(UINT message, WPARAM wParam, LPARAM lParam);
    const Control* find(ControlId id) const;
    Control* find(ControlId id);
    bool isButtonKind(const Control& control) const;
    void setCheck(Control& control, int value);
    // Keyboard navigation (Win32FormNavigation.cpp).
    Control* rovingControl(HWND hwnd);
    // Makes a roving control its run's one tab stop.
    void makeTabStop(const Control& control);
    // Arrows, Home, End, Enter and Space on a roving control; true when handled here.
    bool rovingKey(Control& control, MSG& msg);
    // WM_NEXTDLGCTL, as a dialog handles it.
    void nextControl(WPARAM wParam, LPARAM lParam);
    void showFocusRectangles();
    void annotate(const Control& control);

    HINSTANCE instance_;
    FormSpec spec_;
    FormModel model_;
    int iconResourceId_;
    IFormEvents* events_ = nullptr;
    bool waitCursor_ = false;
    ControlId keyboardPress_ = kNoControl;  // the button Space or Enter is pressing
    HWND tab_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::vector<HWND> pages_;  // null until the page is first shown
    RECT pageArea_{};          // the tab control's display area, where pages go
    POINT pageOffset_{};       // from the tab control's corner to its display area
    std::vector<Control> controls_;
    std::unordered_map<ControlId, std::size_t> index_;
    int dpi_ = 96;
    UniqueFont formFont_;  // the form's font at the current DPI
    std::map<std::pair<const FontSpec*, int>, UniqueFont> fonts_;
    std::unordered_map<ControlId, UniqueBitmap> pictures_;
    TextPicturePainter painter_;
    UniqueIcon bigIcon_, smallIcon_;
    std::unordered_map<ControlId, std::wstring> names_;
    std::unordered_set<ControlId> liveRegions_;
    Win32Annotations annotations_;
    int iconDpi_ = 0;  // the DPI the icons were loaded for
    UINT taskbarCreated_;
};

}  // namespace harfpad::win32
