#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/LegendPicture.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {
namespace {

constexpr const wchar_t* kFormClass = kFormWindowClass;
constexpr wchar_t kPageClass[] = L"HarfpadPage";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Button-class controls read "&" as a mnemonic marker; captions are shown literally.
std::wstring escapeAmpersands(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'&')
            escaped += L'&';
        escaped += c;
    }
    return escaped;
}

std::wstring unescapeAmpersands(std::wstring_view text) {
    std::wstring plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'&')
            ++i;
        plain += text[i];
    }
    return plain;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

WindowClass classFor(const ControlSpec& spec) {
    const bool tabStop = !(spec.style & kStyleNoTabStop);
    const DWORD tab = tabStop ? WS_TABSTOP : 0;
    const DWORD right = (spec.style & kStyleRightAligned) ? ES_RIGHT : 0;
    DWORD scroll = 0;
    if (spec.style & kStyleHScroll)
        scroll |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (spec.style & kStyleVScroll)
        scroll |= WS_VSCROLL | ES_AUTOVSCROLL;
    switch (spec.kind) {
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX | WS_GROUP, 0};
        case ControlKind::Label:
            return {WC_STATICW, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
        case ControlKind::Button:
            return {WC_BUTTONW, BS_PUSHBUTTON | WS_GROUP | tab, 0};
        case ControlKind::PictureKey:
            // The window text stays the legend, which screen readers announce.
            return {WC_BUTTONW, BS_PUSHBUTTON | BS_BITMAP | WS_GROUP | tab, 0};
        case ControlKind::OptionButton:
            // One group runs from its first button to the next control that starts a group.
            return {WC_BUTTONW,
                    BS_AUTORADIOBUTTON |
                        ((spec.style & kStyleGroupStart) ? (WS_GROUP | tab) : DWORD{0}),
                    0};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_GROUP | tab, 0};
        case ControlKind::TextBox:
            return {WC_EDITW, ES_AUTOHSCROLL | WS_GROUP | tab | right, WS_EX_CLIENTEDGE};
        case ControlKind::MultiLineText:
            return {WC_EDITW,
                    ES_MULTILINE | ES_WANTRETURN | WS_GROUP | tab | right | scroll |
                        ((spec.style & kStyleHScroll) ? 0 : ES_AUTOVSCROLL),
                    WS_EX_CLIENTEDGE};
        case ControlKind::ReadOnlyText:
            return {WC_EDITW,
                    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_GROUP | tab,
                    WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, SS_LEFT, 0};
}

}  // namespace

Win32FormWindow::Win32FormWindow(HINSTANCE instance, const FormSpec& spec, int iconResourceId)
    : instance_(instance), spec_(spec), iconResourceId_(iconResourceId) {
    for (std::size_t page = 0; page < spec_.pages.size(); ++page) {
        const auto& controls = spec_.pages[page].controls;
        const auto rects = resolvePageRects(controls);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            index_[controls[i].id] = controls_.size();
            Control control{&controls[i], static_cast<int>(page), rects[i]};
            control.visible = !(controls[i].style & kStyleHidden);
            controls_.push_back(control);
        }
    }
}

Win32FormWindow::~Win32FormWindow() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

void Win32FormWindow::registerClasses() const {
    WNDCLASSEXW probe{sizeof probe};
    if (::GetClassInfoExW(instance_, kFormClass, &probe))
        return;
    WNDCLASSEXW form{sizeof form};
    form.lpfnWndProc = windowProc;
    form.hInstance = instance_;
    form.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;
    ::RegisterClassExW(&form);
    WNDCLASSEXW page{sizeof page};
    page.lpfnWndProc = pageProc;
    page.hInstance = instance_;
    page.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    page.lpszClassName = kPageClass;
    ::RegisterClassExW(&page);
}

void Win32FormWindow::load(IFormEvents& events) {
    if (hwnd_) {
        show();
        return;
    }
    events_ = &events;
    registerClasses();
    ::CreateWindowExW(kFormExStyle, kFormClass, toWide(spec_.caption).c_str(), kFormStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this);
    if (!hwnd_)
        return;
    dpi_ = dpiForWindow(hwnd_);
    createChildren();
    applyLayout();
    showPage(0);
    events_->Form_Load();
    centreOnMonitor();
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
    if (!::GetFocus() || !::IsChild(hwnd_, ::GetFocus()))
        ::SetFocus(tab_);
}

void Win32FormWindow::show() {
    if (!hwnd_)
        return;
    ::ShowWindow(hwnd_, ::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

void Win32FormWindow::close() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

void Win32FormWindow::createChildren() {
    tab_ = ::CreateWindowExW(0, WC_TABCONTROLW, L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_GROUP, 0, 0,
                             0, 0, hwnd_, nullptr, instance_, nullptr);
    for (std::size_t i = 0; i < spec_.pages.size(); ++i) {
        std::wstring caption = toWide(spec_.pages[i].caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        ::SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        HWND page = ::CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, caption.c_str(),
                                      WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd_, nullptr,
                                      instance_, nullptr);
        ::SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pages_.push_back(page);
    }
    pageCreated_.assign(pages_.size(), false);
}

void Win32FormWindow::createPageControls(int page) {
    const auto index = static_cast<std::size_t>(page);
    if (index >= pageCreated_.size() || pageCreated_[index])
        return;
    pageCreated_[index] = true;
    auto onPage = [page](const Control& control) { return control.page == page; };
    // Created in table order, so the Tab key follows the tables.
    for (Control& control : controls_) {
        if (onPage(control))
            createControl(control);
    }
    // Labels and frames belong to the page's background: behind every other control, with the
    // frames lowest, so that a control that overlaps them is never hidden. Among themselves the
    // later one stays in front, as elsewhere, so each goes to the bottom before those listed
    // before it. Neither takes the focus, so the Tab order stays as created.
    for (ControlKind kind : {ControlKind::Label, ControlKind::Frame}) {
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            const Control& control = *it;
            if (onPage(control) && control.spec->kind == kind) {
                ::SetWindowPos(control.hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    }
    // A view the user only reads, placed over another control, is shown in front of it; it takes
    // no tab stop, so this too leaves the Tab order alone.
    for (Control& control : controls_) {
        if (!onPage(control))
            continue;
        if (control.spec->kind == ControlKind::ReadOnlyText &&
            (control.spec->style & kStyleNoTabStop)) {
            ::SetWindowPos(control.hwnd, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        layoutControl(control, pageOffset_.x, pageOffset_.y);
    }
}

void Win32FormWindow::createControl(Control& control) {
    const ControlSpec& spec = *control.spec;
    const WindowClass cls = classFor(spec);
    std::wstring caption = control.text   ? *control.text
                           : spec.caption ? toWide(spec.caption)
                                          : std::wstring();
    control.text.reset();
    if (isButtonKind(control))
        caption = escapeAmpersands(caption);
    const DWORD readingOrder = (spec.style & kStyleRightToLeft) ? WS_EX_RTLREADING : 0;
    const DWORD visible = control.visible ? WS_VISIBLE : 0;
    control.hwnd = ::CreateWindowExW(
        // Where the design lets controls overlap, the later one is drawn in front.
        cls.exStyle | readingOrder, cls.name, caption.c_str(),
        WS_CHILD | visible | WS_CLIPSIBLINGS | cls.style, 0, 0, 0, 0,
        pages_[static_cast<std::size_t>(control.page)],
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance_, nullptr);
    if (spec.style & kStyleNoLengthLimit)
        ::SendMessageW(control.hwnd, EM_SETLIMITTEXT, 0, 0);
    if (control.value != 0)
        setCheck(control, control.value);
    if (!control.enabled)
        ::EnableWindow(control.hwnd, FALSE);
}

void Win32FormWindow::applyLayout() {
    fonts_.clear();
    legends_.clear();
    LOGFONTW form = formLogFont();
    formFont_.reset(::CreateFontIndirectW(&form));

    const PixelRect tab = toPixels(spec_.tabRect, dpi_);
    ::SetWindowPos(tab_, nullptr, tab.left, tab.top, tab.width, tab.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    RECT display{tab.left, tab.top, tab.left + tab.width, tab.top + tab.height};
    ::SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_) {
        ::SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                       display.bottom - display.top, SWP_NOACTIVATE);
    }
    // Page tables are relative to the tab control; the page window starts at its display area.
    pageOffset_ = {display.left - tab.left, display.top - tab.top};
    for (Control& control : controls_) {
        if (control.hwnd)
            layoutControl(control, pageOffset_.x, pageOffset_.y);
    }
}

void Win32FormWindow::layoutControl(Control& control, int dx, int dy) {
    const PixelRect r = toPixels(control.pageRect, dpi_);
    ::SetWindowPos(control.hwnd, nullptr, r.left - dx, r.top - dy, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(control)), TRUE);
    if (control.spec->kind == ControlKind::PictureKey)
        drawPicture(control, r.width, r.height);
}

void Win32FormWindow::drawPicture(const Control& control, int width, int height) {
    UniqueBitmap picture =
        legends_.draw(toWide(control.spec->caption ? control.spec->caption : u""),
                      legendPictureSide(width, height, dpi_));
    ::SendMessageW(control.hwnd, BM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(picture.get()));
    // The button does not own its image: the old one goes once the new one is in place.
    pictures_[control.spec->id] = std::move(picture);
}

LOGFONTW Win32FormWindow::logFontFor(const FontSpec* spec) const {
    LOGFONTW logFont = messageFontForDpi(dpi_);
    if (spec) {
        logFont.lfHeight = -mulDiv(spec->hundredthsOfPoint, dpi_, 7200);
        logFont.lfWidth = 0;
        logFont.lfWeight = spec->bold ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = FALSE;
        const std::wstring face = toWide(spec->face);
        lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    return logFont;
}

LOGFONTW Win32FormWindow::formLogFont() const {
    return logFontFor(spec_.font);
}

HFONT Win32FormWindow::fontFor(const Control& control) {
    if (!control.spec->font && control.charset == DEFAULT_CHARSET)
        return formFont_.get();
    auto& font = fonts_[{control.spec->font, control.charset}];
    if (!font) {
        LOGFONTW logFont = logFontFor(control.spec->font ? control.spec->font : spec_.font);
        logFont.lfCharSet = static_cast<BYTE>(control.charset);
        font.reset(::CreateFontIndirectW(&logFont));
    }
    return font.get();
}

void Win32FormWindow::centreOnMonitor() {
    RECT outer{0, 0, twipsToPixels(spec_.clientWidthTwips, dpi_),
               twipsToPixels(spec_.clientHeightTwips, dpi_)};
    adjustWindowRectForDpi(outer, kFormStyle, kFormExStyle, dpi_);
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = work.left + ((work.right - work.left) - width) / 2;
    const int top = work.top + std::max(0L, ((work.bottom - work.top) - height) / 2);
    ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormWindow::showPage(int index) {
    createPageControls(index);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        ::ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    }
}

bool Win32FormWindow::preTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd)))
        return false;
    if (msg.message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        int step = 0;
        if (msg.wParam == VK_TAB)
            step = (::GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        if (msg.wParam == VK_NEXT)
            step = 1;
        if (msg.wParam == VK_PRIOR)
            step = -1;
        if (step != 0 && !pages_.empty()) {
            const int count = static_cast<int>(pages_.size());
            selectPage((selectedPage() + step + count) % count);
            ::SetFocus(tab_);
            return true;
        }
    }
    return ::IsDialogMessageW(hwnd_, &msg) != 0;
}

LRESULT CALLBACK Win32FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = self->tab_ = self->lastFocus_ = nullptr;
        self->pages_.clear();
        self->pageCreated_.clear();
        for (Control& control : self->controls_) {
            // A window loaded again starts as designed.
            control.hwnd = nullptr;
            control.charset = DEFAULT_CHARSET;
            control.text.reset();
            control.value = 0;
            control.enabled = true;
            control.visible = !(control.spec->style & kStyleHidden);
        }
        self->fonts_.clear();
        self->pictures_.clear();
        self->formFont_.reset();
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

// Pages pass their controls' notifications on to the form.
LRESULT CALLBACK Win32FormWindow::pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT Win32FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == showRunningCopyMessage() && message != 0) {
        show();  // the program was started again: this copy comes forward instead
        return 0;
    }
    switch (message) {
        case WM_CREATE: {
            const int big = ::GetSystemMetrics(SM_CXICON);
            const int small = ::GetSystemMetrics(SM_CXSMICON);
            bigIcon_.reset(static_cast<HICON>(::LoadImageW(
                instance_, MAKEINTRESOURCEW(iconResourceId_), IMAGE_ICON, big, big, 0)));
            smallIcon_.reset(static_cast<HICON>(::LoadImageW(
                instance_, MAKEINTRESOURCEW(iconResourceId_), IMAGE_ICON, small, small, 0)));
            ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
            ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                           reinterpret_cast<LPARAM>(smallIcon_.get()));
            return 0;
        }
        case WM_COMMAND: {
            const auto id = static_cast<ControlId>(LOWORD(wParam));
            const Control* control = find(id);
            if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && control && isButtonKind(*control) &&
                events_) {
                events_->onClick(id);
            }
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
                showPage(selectedPage());
            }
            return 0;
        }
        case WM_ACTIVATE:
            // Keep the keyboard focus where the user left it when the window comes back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            } else if (lastFocus_ && ::IsChild(hwnd_, lastFocus_)) {
                ::SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            applyLayout();
            return 0;
        }
        case WM_SETCURSOR:
            // Controls ask their parents first, so this holds over the whole window.
            if (waitCursor_) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // The close is never cancelled; the behaviour decides whether the program ends.
            if (events_)
                events_->Form_Unload();
            if (hwnd_)
                ::DestroyWindow(hwnd_);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

const Win32FormWindow::Control* Win32FormWindow::find(ControlId id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? nullptr : &controls_[it->second];
}

Win32FormWindow::Control* Win32FormWindow::find(ControlId id) {
    const auto it = index_.find(id);
    return it == index_.end() ? nullptr : &controls_[it->second];
}

bool Win32FormWindow::isButtonKind(const Control& control) const {
    switch (control.spec->kind) {
        case ControlKind::Button:
        case ControlKind::PictureKey:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::Frame:
            return true;
        default:
            return false;
    }
}

HWND Win32FormWindow::controlHwnd(ControlId id) const {
    const Control* control = find(id);
    return control ? control->hwnd : nullptr;
}

std::u16string Win32FormWindow::text(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return {};
    if (!control->hwnd) {
        if (control->text)
            return fromWide(*control->text);
        return control->spec->caption ? std::u16string(control->spec->caption) : u"";
    }
    std::wstring text = windowText(control->hwnd);
    if (isButtonKind(*control))
        text = unescapeAmpersands(text);
    return fromWide(text);
}

void Win32FormWindow::setText(ControlId id, std::u16string_view text) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    if (!control->hwnd) {
        control->text = toWide(text);
        return;
    }
    std::wstring wide = toWide(text);
    if (isButtonKind(*control))
        wide = escapeAmpersands(wide);
    ::SetWindowTextW(control->hwnd, wide.c_str());
}

int Win32FormWindow::value(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return 0;
    if (!control->hwnd)
        return control->value;
    switch (::SendMessageW(control->hwnd, BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return 1;
        case BST_INDETERMINATE:
            return 2;
        default:
            return 0;
    }
}

void Win32FormWindow::setCheck(Control& control, int value) {
    if (!control.hwnd) {
        control.value = value;
        return;
    }
    const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    ::SendMessageW(control.hwnd, BM_SETCHECK, state, 0);
}

void Win32FormWindow::setValue(ControlId id, int value) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    if (control->spec->kind == ControlKind::OptionButton && value == 1) {
        // Selecting one option clears the others of its group.
        const auto self = static_cast<std::size_t>(control - controls_.data());
        std::size_t first = self;
        while (first > 0 && !(controls_[first].spec->style & kStyleGroupStart) &&
               controls_[first - 1].spec->kind == ControlKind::OptionButton &&
               controls_[first - 1].page == control->page) {
            --first;
        }
        for (std::size_t i = first; i < controls_.size(); ++i) {
            if (i != first && (controls_[i].spec->kind != ControlKind::OptionButton ||
                               (controls_[i].spec->style & kStyleGroupStart))) {
                break;
            }
            if (i != self)
                setCheck(controls_[i], 0);
        }
    }
    setCheck(*control, value);
}

bool Win32FormWindow::isEnabled(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return false;
    return control->hwnd ? ::IsWindowEnabled(control->hwnd) != FALSE : control->enabled;
}

void Win32FormWindow::setEnabled(ControlId id, bool enabled) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    if (control->hwnd)
        ::EnableWindow(control->hwnd, enabled);
    else
        control->enabled = enabled;
}

bool Win32FormWindow::isVisible(ControlId id) const {
    const Control* control = find(id);
    return control && hwnd_ && control->visible;
}

void Win32FormWindow::setVisible(ControlId id, bool visible) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    control->visible = visible;
    if (!control->hwnd)
        return;
    if (visible) {
        ::SetWindowPos(control->hwnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(control->hwnd, SW_HIDE);
    }
}

void Win32FormWindow::setFocus(ControlId id) {
    Control* control = find(id);
    if (!control || !hwnd_)
        return;
    createPageControls(control->page);  // the focus needs a window
    ::SetFocus(control->hwnd);
}

ControlId Win32FormWindow::activeControl() const {
    HWND focus = ::GetFocus();
    for (const Control& control : controls_) {
        if (control.hwnd && control.hwnd == focus)
            return control.spec->id;
    }
    return kNoControl;
}

int Win32FormWindow::fontCharset(ControlId id) const {
    const Control* control = find(id);
    if (!control || !hwnd_)
        return DEFAULT_CHARSET;
    // A control not created yet gets the font fontFor() makes for it.
    if (!control->hwnd && (control->spec->font || control->charset != DEFAULT_CHARSET))
        return control->charset;
    auto font = control->hwnd
                    ? reinterpret_cast<HFONT>(::SendMessageW(control->hwnd, WM_GETFONT, 0, 0))
                    : formFont_.get();
    LOGFONTW logFont{};
    if (!font || !::GetObjectW(font, sizeof logFont, &logFont))
        return DEFAULT_CHARSET;
    return logFont.lfCharSet;
}

void Win32FormWindow::setFontCharset(ControlId id, int charset) {
    Control* control = find(id);
    if (!control)
        return;
    control->charset = charset;
    if (control->hwnd) {
        ::SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(*control)),
                       TRUE);
    }
}

std::u16string Win32FormWindow::caption() const {
    return hwnd_ ? fromWide(windowText(hwnd_)) : std::u16string();
}

void Win32FormWindow::setCaption(std::u16string_view caption) {
    if (hwnd_)
        ::SetWindowTextW(hwnd_, toWide(caption).c_str());
}

int Win32FormWindow::selectedPage() const {
    return tab_ ? static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) : 0;
}

void Win32FormWindow::selectPage(int index) {
    if (!tab_)
        return;
    ::SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showPage(index);
}

}  // namespace harfpad::win32
