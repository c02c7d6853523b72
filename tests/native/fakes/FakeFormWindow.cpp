#include "fakes/FakeFormWindow.h"

#include <stdexcept>

namespace harfpad::fakes {

void FakeFormWindow::load(IFormEvents& events) {
    if (loaded_)
        return;
    events_ = &events;
    controls_.clear();
    order_.clear();
    for (const PageSpec& page : spec_.pages) {
        for (const ControlSpec& control : page.controls) {
            State state{&control, control.caption ? control.caption : u""};
            state.visible = !(control.style & kStyleHidden);
            controls_[control.id] = state;
            order_.push_back(control.id);
        }
    }
    caption_ = spec_.caption;
    focus_ = kNoControl;
    page_ = 0;
    loaded_ = true;
    ++loads_;
    events.Form_Load();
}

void FakeFormWindow::userClick(ControlId id) {
    State& state = at(id);
    if (!state.enabled)
        return;
    focus_ = id;
    if (state.spec->kind == ControlKind::CheckBox)
        setValue(id, state.value == 1 ? 0 : 1);
    if (state.spec->kind == ControlKind::OptionButton)
        setValue(id, 1);
    events_->onClick(id);
}

void FakeFormWindow::userClose() {
    events_->Form_Unload();
    loaded_ = false;
}

void FakeFormWindow::setValue(ControlId id, int value) {
    State& state = at(id);
    if (state.spec->kind == ControlKind::OptionButton && value == 1) {
        // The group: the run of option buttons around this one, bounded by group starts.
        std::size_t self = 0;
        while (order_[self] != id) ++self;
        std::size_t first = self;
        auto kindAt = [&](std::size_t i) { return controls_.at(order_[i]).spec; };
        while (first > 0 && !(kindAt(first)->style & kStyleGroupStart) &&
               kindAt(first - 1)->kind == ControlKind::OptionButton) {
            --first;
        }
        for (std::size_t i = first; i < order_.size(); ++i) {
            if (i != first && (kindAt(i)->kind != ControlKind::OptionButton ||
                               (kindAt(i)->style & kStyleGroupStart))) {
                break;
            }
            controls_.at(order_[i]).value = 0;
        }
    }
    state.value = value;
}

const FakeFormWindow::State& FakeFormWindow::get(ControlId id) const {
    const auto it = controls_.find(id);
    if (it == controls_.end())
        throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

FakeFormWindow::State& FakeFormWindow::at(ControlId id) {
    return const_cast<State&>(static_cast<const FakeFormWindow*>(this)->get(id));
}

}  // namespace harfpad::fakes
