// Declarative description of a window's controls and the view interface the behaviour talks to.
// Positions are twips (1/1440 inch); the window layer scales them to the monitor's DPI.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace harfpad {

using ControlId = int;
constexpr ControlId kNoControl = 0;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind {
    Frame,          // captioned group box; other controls of the page may stand in it
    Label,          // static text, shown as written (no mnemonics)
    Button,         // push button
    OptionButton,   // radio button; a run of them after a kStyleGroupStart one is one group
    CheckBox,       // two-state check box
    TextBox,        // single-line edit box
    MultiLineText,  // multi-line edit box
    ReadOnlyText,   // multi-line edit box the user can read and select but not change
    PictureButton,  // push button showing a picture of its caption (the caption stays its name)
    ToggleButton,   // push button that looks pressed, and reads as checked, while its value is 1;
                    // a click leaves the value to the behaviour
};

enum ControlStyle : unsigned {
    kStyleNone = 0,
    kStyleGroupStart = 1u << 0,    // first option button of a group
    kStyleRightAligned = 1u << 1,  // text aligned to the right
    kStyleHScroll = 1u << 2,
    kStyleVScroll = 1u << 3,
    kStyleNoTabStop = 1u << 4,
    kStyleNoLengthLimit = 1u << 5,  // edit box takes any amount of text
    kStyleHidden = 1u << 6,         // not shown (and so not reached by Tab) until made visible
    kStyleRightToLeft = 1u << 7,    // text reads right to left
    // One of a run of such buttons (in table order) that together are one tab stop: the one that
    // last had the focus, at first the run's first. Arrows, Home and End move the focus within
    // the run where IFormEvents::onNavigate says; Enter presses the focused one, as Space does.
    kStyleRovingTabStop = 1u << 8,
};

// The keys that move the focus within a run of kStyleRovingTabStop buttons.
enum class NavigationKey { Left, Right, Up, Down, Home, End };

struct FontSpec {
    const char16_t* face;
    int hundredthsOfPoint;  // 825 is 8.25 pt
    bool bold;
};

// How a picture button's picture is drawn: the caption centred on a square in the first of
// `faces` that has every glyph of it (the first face when none has), the em `emPercent` of the
// square. The square is `maxSide96` pixels at 96 DPI, scaled with the DPI, or less where the
// button is smaller.
struct PictureSpec {
    std::span<const char16_t* const> faces;
    int maxSide96;
    int emPercent;
};

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    const char16_t* caption;           // design-time text, nullptr for none
    TwipsRect rect;                    // relative to the container
    ControlId container = kNoControl;  // a Frame of the same page, or kNoControl for the page
    const FontSpec* font = nullptr;    // nullptr: the form's font
    unsigned style = kStyleNone;
    const PictureSpec* picture = nullptr;  // PictureButton only
};

struct PageSpec {
    const char16_t* caption;
    std::span<const ControlSpec> controls;
};

struct FormSpec {
    const char16_t* caption;
    int clientWidthTwips;
    int clientHeightTwips;
    TwipsRect tabRect;  // the tab control; page controls are placed relative to it
    std::span<const PageSpec> pages;
    // Font of the tab strip and of every control that names none; nullptr: the system's
    // message font.
    const FontSpec* font = nullptr;
};

// What the window layer reports to the behaviour.
class IFormEvents {
  public:
    virtual ~IFormEvents() = default;
    // The controls exist and hold their design-time state; the window is not shown yet.
    virtual void Form_Load() = 0;
    // The user closed the window. The window goes away after this returns.
    virtual void Form_Unload() = 0;
    // A button, check box or option button was clicked (by mouse, keyboard or BM_CLICK).
    virtual void onClick(ControlId id) = 0;
    // A kStyleRovingTabStop button pressed with Space or Enter: a click, after which the behaviour
    // may give the focus back to the button.
    virtual void onKeyPress(ControlId id) { onClick(id); }
    // An arrow, Home or End on a kStyleRovingTabStop button: the button of its run that gets the
    // focus, or kNoControl to leave it where it is.
    virtual ControlId onNavigate(ControlId from, NavigationKey key) {
        (void)from;
        (void)key;
        return kNoControl;
    }
};

// Control state as the behaviour reads and changes it.
class IFormView {
  public:
    virtual ~IFormView() = default;
    virtual std::u16string text(ControlId id) const = 0;
    virtual void setText(ControlId id, std::u16string_view text) = 0;
    // Check boxes and option buttons: 0 clear, 1 ticked or selected, 2 greyed. Setting raises no
    // click.
    virtual int value(ControlId id) const = 0;
    virtual void setValue(ControlId id, int value) = 0;
    virtual bool isEnabled(ControlId id) const = 0;
    virtual void setEnabled(ControlId id, bool enabled) = 0;
    // Whether the control is shown on its page (kStyleHidden ones start hidden). A control that
    // is made visible stands in front of those it overlaps.
    virtual bool isVisible(ControlId id) const = 0;
    virtual void setVisible(ControlId id, bool visible) = 0;
    virtual void setFocus(ControlId id) = 0;
    // Edit boxes: the caret after the last character of the whole text, scrolled into view.
    virtual void caretToEnd(ControlId id) = 0;
    virtual ControlId activeControl() const = 0;
    // Character set of the control's font (face and size stay as designed).
    virtual int fontCharset(ControlId id) const = 0;
    virtual void setFontCharset(ControlId id, int charset) = 0;
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;
    virtual int selectedPage() const = 0;
    virtual void selectPage(int index) = 0;
};

// A top-level window built from a FormSpec, which can be closed and loaded again.
class IFormWindow : public IFormView {
  public:
    virtual bool isLoaded() const = 0;
    // Creates the window hidden, runs events.Form_Load(), then shows it centred on the screen.
    virtual void load(IFormEvents& events) = 0;
    // Brings the loaded window to the front.
    virtual void show() = 0;
    // Destroys the window (not the behaviour object behind it).
    virtual void close() = 0;
};

}  // namespace harfpad
