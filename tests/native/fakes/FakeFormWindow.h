// An in-memory window: controls keep text, value, enabled and visible state and font charset by
// id.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace harfpad::fakes {

class FakeFormWindow final : public IFormWindow {
  public:
    explicit FakeFormWindow(const FormSpec& spec) : spec_(spec) {}

    // Test controls.
    void userClick(ControlId id);  // as a mouse click: focus, auto-toggle, then the event
    void userClose();              // the close box: Form_Unload, then the window goes
    int loadCount() const { return loads_; }
    bool shown() const { return loaded_; }
    int showCalls() const { return shows_; }
    bool hasControl(ControlId id) const { return controls_.count(id) != 0; }

    // IFormWindow
    bool isLoaded() const override { return loaded_; }
    void load(IFormEvents& events) override;
    void show() override { ++shows_; }
    void close() override { loaded_ = false; }

    // IFormView
    std::u16string text(ControlId id) const override { return get(id).text; }
    void setText(ControlId id, std::u16string_view text) override { at(id).text = text; }
    int value(ControlId id) const override { return get(id).value; }
    void setValue(ControlId id, int value) override;
    bool isEnabled(ControlId id) const override { return get(id).enabled; }
    void setEnabled(ControlId id, bool enabled) override { at(id).enabled = enabled; }
    bool isVisible(ControlId id) const override { return get(id).visible; }
    void setVisible(ControlId id, bool visible) override { at(id).visible = visible; }
    void setFocus(ControlId id) override { focus_ = id; }
    ControlId activeControl() const override { return focus_; }
    int fontCharset(ControlId id) const override { return get(id).charset; }
    void setFontCharset(ControlId id, int charset) override { at(id).charset = charset; }
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override { caption_ = caption; }
    int selectedPage() const override { return page_; }
    void selectPage(int index) override { page_ = index; }

  private:
    struct State {
        const ControlSpec* spec = nullptr;
        std::u16string text;
        int value = 0;
        bool enabled = true;
        bool visible = true;
        int charset = 1;  // the platform's default character set
    };
    const State& get(ControlId id) const;
    State& at(ControlId id);

    const FormSpec& spec_;
    IFormEvents* events_ = nullptr;
    std::map<ControlId, State> controls_;
    std::vector<ControlId> order_;
    bool loaded_ = false;
    int loads_ = 0;
    int shows_ = 0;
    ControlId focus_ = kNoControl;
    std::u16string caption_;
    int page_ = 0;
};

}  // namespace harfpad::fakes
