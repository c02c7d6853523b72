// An in-memory window: no control ever gets a window, so the form model holds all their state
// and applies its own rules (option groups, clicks).
#pragma once

#include <map>
#include <string>

#include "platform/FormModel.h"
#include "platform/Ui.h"

namespace harfpad::fakes {

class FakeFormWindow final : public IFormWindow {
  public:
    explicit FakeFormWindow(const FormSpec& spec) : spec_(spec), model_(spec) {}

    // Test controls. A click as a mouse makes it: focus, the click's value, then the event.
    void userClick(ControlId id) {
        if (!FormModel::takesClick(model_.state(id).enabled))
            return;
        focus_ = id;
        if (const auto value =
                FormModel::valueAfterClick(model_.spec(id).kind, model_.state(id).value))
            model_.setValue(id, *value);
        events_->onClick(id);
    }
    // The close box: Form_Unload, then the window goes.
    void userClose() {
        events_->Form_Unload();
        loaded_ = false;
    }
    int loadCount() const { return loads_; }
    int showCalls() const { return shows_; }

    // IFormWindow
    bool isLoaded() const override { return loaded_; }
    void load(IFormEvents& events) override {
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
    void show() override { ++shows_; }
    void close() override { loaded_ = false; }

    // IFormView
    std::u16string text(ControlId id) const override { return model_.text(id); }
    // A new text leaves an edit box's caret before its first character (WM_SETTEXT's page does
    // not say where; the Wine keyboards test sees it there).
    void setText(ControlId id, std::u16string_view text) override {
        model_.state(id).text = std::u16string(text);
        carets_[id] = 0;
    }
    int value(ControlId id) const override { return model_.state(id).value; }
    void setValue(ControlId id, int value) override { model_.setValue(id, value); }
    bool isEnabled(ControlId id) const override { return model_.state(id).enabled; }
    // learn.microsoft.com, EnableWindow: a disabled window receives no key presses; the focus
    // that had the focus leaves the user no control to type to.
    void setEnabled(ControlId id, bool enabled) override {
        model_.state(id).enabled = enabled;
        if (!enabled && focus_ == id)
            focus_ = kNoControl;
    }
    bool isVisible(ControlId id) const override { return model_.state(id).visible; }
    void setVisible(ControlId id, bool visible) override { model_.state(id).visible = visible; }
    void setFocus(ControlId id) override { focus_ = id; }
    // learn.microsoft.com, EM_SETSEL: the caret stands at the end position.
    void caretToEnd(ControlId id) override { carets_[id] = model_.text(id).size(); }
    std::size_t caret(ControlId id) const {
        const auto it = carets_.find(id);
        return it == carets_.end() ? 0 : it->second;
    }
    ControlId activeControl() const override { return focus_; }
    int fontCharset(ControlId id) const override { return model_.state(id).charset; }
    void setFontCharset(ControlId id, int charset) override { model_.state(id).charset = charset; }
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override { caption_ = caption; }
    int selectedPage() const override { return model_.selectedPage(); }
    void selectPage(int index) override { model_.selectPage(index); }

  private:
    const FormSpec& spec_;
    FormModel model_;
    IFormEvents* events_ = nullptr;
    bool loaded_ = false;
    int loads_ = 0;
    int shows_ = 0;
    ControlId focus_ = kNoControl;
    std::map<ControlId, std::size_t> carets_;
    std::u16string caption_;
};

}  // namespace harfpad::fakes
