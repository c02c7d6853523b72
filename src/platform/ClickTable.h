// Click handlers as data: each page lists, in one table, the controls that handle a click and
// the handler of its behaviour that runs, under the handler's design name.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad {

template <typename Owner>
struct ClickRow {
    ControlId first;
    ControlId last;  // a run of ids with one handler, such as a control array; else first
    void (*handler)(Owner& owner, ControlId clicked);
};

// Runs the handler of the row that holds `id`; false when no row does.
template <typename Owner>
bool dispatchClick(std::span<const ClickRow<Owner>> table, Owner& owner, ControlId id) {
    for (const ClickRow<Owner>& row : table) {
        if (id >= row.first && id <= row.last) {
            row.handler(owner, id);
            return true;
        }
    }
    return false;
}

}  // namespace harfpad
