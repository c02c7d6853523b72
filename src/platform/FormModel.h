// The rules a form has whatever draws it, and the state of its controls that no window holds.
//
// Where the state lives: a control's window, once its page is built, holds its text, its check
// and whether it is enabled; the model holds them until then (the design state, then whatever the
// behaviour set), and always holds whether the control is shown and its font's character set,
// which a window does not report. The model also owns the rules: which option buttons form a
// group, what a user's click does to a control before its handler runs, and the selected page.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Ui.h"

namespace harfpad {

// The platform's default character set.
inline constexpr int kDefaultCharset = 1;

class FormModel {
  public:
    explicit FormModel(const FormSpec& spec);

    struct ControlState {
        std::optional<std::u16string> text;  // none: the design caption
        int value = 0;
        bool enabled = true;
        bool visible = true;
        int charset = kDefaultCharset;
    };

    // Back to the design state, as a window loaded again starts.
    void reset();

    bool has(ControlId id) const { return index_.count(id) != 0; }
    const ControlSpec& spec(ControlId id) const;
    // The page the control stands on.
    int page(ControlId id) const;
    // Throws std::out_of_range for an id the form does not have.
    ControlState& state(ControlId id);
    const ControlState& state(ControlId id) const;
    // The text as the control shows it: what was set, else the design caption.
    std::u16string text(ControlId id) const;

    // The other option buttons of `id`'s group, which selecting `id` clears: a group is a run of
    // option buttons on one page in table order, started anew by a kStyleGroupStart one. Empty
    // for any other control.
    std::vector<ControlId> otherOptionsOfGroup(ControlId id) const;
    // Selects or clears a control held here, clearing the rest of an option's group.
    void setValue(ControlId id, int value);

    // A user's click reaches only an enabled control.
    static bool takesClick(bool enabled) { return enabled; }
    // The value a click leaves on a control before its handler runs: a check box toggles (a
    // greyed one becomes ticked), an option button is selected. None for other kinds.
    static std::optional<int> valueAfterClick(ControlKind kind, int value);

    int selectedPage() const { return page_; }
    void selectPage(int index);
    int pageCount() const { return static_cast<int>(pageCount_); }

  private:
    std::vector<const ControlSpec*> order_;  // every control, page by page in table order
    std::vector<int> pageOf_;
    std::unordered_map<ControlId, std::size_t> index_;
    std::vector<ControlState> states_;
    std::size_t pageCount_ = 0;
    int page_ = 0;
};

}  // namespace harfpad
