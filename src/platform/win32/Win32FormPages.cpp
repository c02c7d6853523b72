// Building the pages: the tab strip, one child window per page, and a page's controls when it
// is first shown, with what the behaviour set on them meanwhile.
#include "platform/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/PageOrder.h"
#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/TextConv.h"
#include "platform/win32/Win32FormControls.h"

namespace harfpad::win32 {

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
    }
    // A page's window and controls are made when the page is first shown: start-up builds only
    // the first one.
    pages_.assign(spec_.pages.size(), nullptr);
}

void Win32FormWindow::createPage(int page) {
    const auto index = static_cast<std::size_t>(page);
    if (index >= pages_.size() || pages_[index])
        return;
    const RECT& area = pageArea_;
    pages_[index] = ::CreateWindowExW(
        WS_EX_CONTROLPARENT, kPageClass, toWide(spec_.pages[index].caption).c_str(),
        WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top, area.right - area.left,
        area.bottom - area.top, hwnd_, nullptr, instance_, nullptr);
    ::SetWindowPos(pages_[index], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto onPage = [page](const Control& control) { return control.page == page; };
    // Created in table order, so the Tab key follows the tables.
    for (Control& control : controls_) {
        if (onPage(control))
            createControl(control);
    }
    // Then stacked front to back: labels and frames behind the rest, except that a label naming
    // a text box stays right before it, where screen readers look for the box's name
    // (learn.microsoft.com, "Providing the Name Property"), and a view shown over another
    // control in front. None of these takes the focus, so the Tab order stays as created.
    const auto specs = spec_.pages[index].controls;
    HWND above = HWND_TOP;
    for (const std::size_t i : frontToBack(specs)) {
        const Control* control = find(specs[i].id);
        ::SetWindowPos(control->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control->hwnd;
    }
    for (Control& control : controls_) {
        if (onPage(control))
            layoutControl(control, pageOffset_.x, pageOffset_.y);
    }
}

void Win32FormWindow::createControl(Control& control) {
    const ControlSpec& spec = *control.spec;
    const WindowClass cls = classFor(spec);
    FormModel::ControlState& state = model_.state(spec.id);
    std::wstring caption = toWide(model_.text(spec.id));
    state.text.reset();  // the window holds the text from now on
    if (isButtonKind(control))
        caption = escapeAmpersands(caption);
    const DWORD readingOrder = (spec.style & kStyleRightToLeft) ? WS_EX_RTLREADING : 0;
    const DWORD visible = state.visible ? WS_VISIBLE : 0;
    control.hwnd = ::CreateWindowExW(
        // Where the design lets controls overlap, the later one is drawn in front.
        cls.exStyle | readingOrder, cls.name, caption.c_str(),
        WS_CHILD | visible | WS_CLIPSIBLINGS | cls.style, 0, 0, 0, 0,
        pages_[static_cast<std::size_t>(control.page)],
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance_, nullptr);
    // A roving run is one tab stop, at first its first control.
    if (control.run && controls_[*control.run].spec != control.spec)
        ::SetWindowLongPtrW(control.hwnd, GWL_STYLE,
                            ::GetWindowLongPtrW(control.hwnd, GWL_STYLE) & ~WS_TABSTOP);
    if (spec.style & kStyleNoLengthLimit)
        ::SendMessageW(control.hwnd, EM_SETLIMITTEXT, 0, 0);
    if (state.value != 0)
        setCheck(control, state.value);
    if (!state.enabled)
        ::EnableWindow(control.hwnd, FALSE);
    annotate(control);
}

void Win32FormWindow::annotate(const Control& control) {
    if (!control.hwnd)
        return;
    if (const auto name = names_.find(control.spec->id); name != names_.end())
        annotations_.setName(control.hwnd, name->second);
    if (liveRegions_.count(control.spec->id))
        annotations_.setPoliteLiveRegion(control.hwnd);
}

void Win32FormWindow::setName(ControlId id, std::u16string_view name) {
    std::wstring wide = toWide(name);
    if (names_[id] == wide)
        return;  // the service is asked only for changes
    names_[id] = std::move(wide);
    if (const Control* control = find(id))
        annotate(*control);
}

void Win32FormWindow::setLiveRegion(ControlId id) {
    if (!liveRegions_.insert(id).second)
        return;
    if (const Control* control = find(id))
        annotate(*control);
}

void Win32FormWindow::liveRegionChanged(ControlId id) {
    const Control* control = find(id);
    if (control && control->hwnd)
        Win32Annotations::liveRegionChanged(control->hwnd);
}

void Win32FormWindow::showPage(int index) {
    createPage(index);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i])
            ::ShowWindow(pages_[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    }
}

}  // namespace harfpad::win32
