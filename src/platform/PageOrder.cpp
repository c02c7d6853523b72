#include "platform/PageOrder.h"

namespace harfpad {
namespace {

bool isTextBox(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::MultiLineText;
}

}  // namespace

bool namesNextControl(std::span<const ControlSpec> controls, std::size_t index) {
    return index + 1 < controls.size() && controls[index].kind == ControlKind::Label &&
           isTextBox(controls[index + 1].kind);
}

std::vector<std::size_t> frontToBack(std::span<const ControlSpec> controls) {
    std::vector<std::size_t> order;
    order.reserve(controls.size());
    // Among the page's background the later one is in front.
    auto add = [&](auto&& belongs, bool laterInFront = false) {
        for (std::size_t n = 0; n < controls.size(); ++n) {
            const std::size_t i = laterInFront ? controls.size() - 1 - n : n;
            if (belongs(i))
                order.push_back(i);
        }
    };
    auto isView = [&](std::size_t i) {
        return controls[i].kind == ControlKind::ReadOnlyText &&
               (controls[i].style & kStyleNoTabStop);
    };
    auto isNamingLabel = [&](std::size_t i) { return namesNextControl(controls, i); };
    add(isView);
    add([&](std::size_t i) {
        const ControlKind kind = controls[i].kind;
        if (isView(i) || kind == ControlKind::Frame)
            return false;
        return kind != ControlKind::Label || isNamingLabel(i);
    });
    add([&](std::size_t i) { return controls[i].kind == ControlKind::Label && !isNamingLabel(i); },
        true);
    add([&](std::size_t i) { return controls[i].kind == ControlKind::Frame; }, true);
    return order;
}

}  // namespace harfpad
