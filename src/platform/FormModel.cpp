#include "platform/FormModel.h"

#include <stdexcept>

namespace harfpad {

FormModel::FormModel(const FormSpec& spec) : pageCount_(spec.pages.size()) {
    for (std::size_t page = 0; page < spec.pages.size(); ++page) {
        for (const ControlSpec& control : spec.pages[page].controls) {
            index_[control.id] = order_.size();
            order_.push_back(&control);
            pageOf_.push_back(static_cast<int>(page));
        }
    }
    reset();
}

void FormModel::reset() {
    states_.assign(order_.size(), ControlState{});
    for (std::size_t i = 0; i < order_.size(); ++i)
        states_[i].visible = !(order_[i]->style & kStyleHidden);
    page_ = 0;
}

const ControlSpec& FormModel::spec(ControlId id) const {
    const auto it = index_.find(id);
    if (it == index_.end())
        throw std::out_of_range("no control " + std::to_string(id));
    return *order_[it->second];
}

int FormModel::page(ControlId id) const {
    return pageOf_[index_.at(id)];
}

FormModel::ControlState& FormModel::state(ControlId id) {
    const auto it = index_.find(id);
    if (it == index_.end())
        throw std::out_of_range("no control " + std::to_string(id));
    return states_[it->second];
}

const FormModel::ControlState& FormModel::state(ControlId id) const {
    return const_cast<FormModel*>(this)->state(id);
}

std::u16string FormModel::text(ControlId id) const {
    const ControlState& s = state(id);
    if (s.text)
        return *s.text;
    const ControlSpec& c = spec(id);
    return c.caption ? c.caption : u"";
}

std::vector<ControlId> FormModel::otherOptionsOfGroup(ControlId id) const {
    const std::size_t self = index_.at(id);
    if (order_[self]->kind != ControlKind::OptionButton)
        return {};
    const auto inGroupWithPrevious = [&](std::size_t i) {
        return order_[i]->kind == ControlKind::OptionButton &&
               !(order_[i]->style & kStyleGroupStart) &&
               order_[i - 1]->kind == ControlKind::OptionButton && pageOf_[i - 1] == pageOf_[i];
    };
    std::size_t first = self;
    while (first > 0 && inGroupWithPrevious(first)) --first;
    std::vector<ControlId> others;
    for (std::size_t i = first; i < order_.size(); ++i) {
        if (i != first && !inGroupWithPrevious(i))
            break;
        if (i != self)
            others.push_back(order_[i]->id);
    }
    return others;
}

void FormModel::setValue(ControlId id, int value) {
    if (value == 1)
        for (ControlId other : otherOptionsOfGroup(id)) state(other).value = 0;
    state(id).value = value;
}

std::optional<int> FormModel::valueAfterClick(ControlKind kind, int value) {
    switch (kind) {
        case ControlKind::CheckBox:
            return value == 1 ? 0 : 1;
        case ControlKind::OptionButton:
            return 1;
        default:
            return std::nullopt;
    }
}

void FormModel::selectPage(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < pageCount_)
        page_ = index;
}

}  // namespace harfpad
