#include "keyboard/KeyNavigation.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace harfpad {

ControlId nextKey(std::span<const ControlSpec> page, ControlId from, NavigationKey key) {
    // Rows by their top, each left to right.
    std::map<int, std::vector<const ControlSpec*>> rows;
    const ControlSpec* start = nullptr;
    for (const ControlSpec& control : page) {
        if (!(control.style & kStyleRovingTabStop))
            continue;
        rows[control.rect.top].push_back(&control);
        if (control.id == from)
            start = &control;
    }
    if (!start)
        return kNoControl;
    for (auto& [top, row] : rows)
        std::ranges::sort(row, {}, [](const ControlSpec* c) { return c->rect.left; });
    const auto here = rows.find(start->rect.top);
    const std::vector<const ControlSpec*>& row = here->second;
    const auto at = std::ranges::find(row, start);
    switch (key) {
        case NavigationKey::Left:
            return at == row.begin() ? from : (*(at - 1))->id;
        case NavigationKey::Right:
            return at + 1 == row.end() ? from : (*(at + 1))->id;
        case NavigationKey::Home:
            return row.front()->id;
        case NavigationKey::End:
            return row.back()->id;
        case NavigationKey::Up:
        case NavigationKey::Down:
            break;
    }
    if (key == NavigationKey::Up ? here == rows.begin() : std::next(here) == rows.end())
        return from;
    const auto& next = key == NavigationKey::Up ? std::prev(here)->second : std::next(here)->second;
    // Twice the centre, to stay in whole twips.
    const auto centre = [](const ControlSpec* c) { return 2 * c->rect.left + c->rect.width; };
    const auto nearest = std::ranges::min_element(
        next, {}, [&](const ControlSpec* c) { return std::abs(centre(c) - centre(start)); });
    return (*nearest)->id;
}

void giveFocusBack(IFormView& view, IKeystrokeSender& keystrokes, ControlId key) {
    if (view.activeControl() == key)
        return;
    // Keys the click tapped without waiting (End, Backspace, Caps Lock) are still on their way
    // to the box: an unassigned key sent after them, and waited for, arrives after them.
    const Keystroke after[] = {{kMenuMaskKey, false}, {kMenuMaskKey, true}};
    keystrokes.send(after, true);
    view.setFocus(key);
}

}  // namespace harfpad
