#include "fakes/FakeFormWindow.h"

namespace harfpad::fakes {

void FakeFormWindow::load(IFormEvents& events) {
    if (loaded_)
        return;
    events_ = &events;
    model_.reset();
    caption_ = spec_.caption;
    focus_ = kNoControl;
    loaded_ = true;
    ++loads_;
    events.Form_Load();
}

void FakeFormWindow::userClick(ControlId id) {
    if (!FormModel::takesClick(model_.state(id).enabled))
        return;
    focus_ = id;
    if (const auto value = FormModel::valueAfterClick(model_.spec(id).kind, model_.state(id).value))
        model_.setValue(id, *value);
    events_->onClick(id);
}

void FakeFormWindow::userClose() {
    events_->Form_Unload();
    loaded_ = false;
}

}  // namespace harfpad::fakes
