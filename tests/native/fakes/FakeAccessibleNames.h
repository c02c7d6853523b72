// The annotation service and a screen reader listening for live-region events, in memory.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/AccessibleNames.h"

namespace harfpad::fakes {

class FakeAccessibleNames final : public IAccessibleNames {
  public:
    explicit FakeAccessibleNames(const IFormView& view) : view_(view) {}

    // learn.microsoft.com, IAccPropServices::SetHwndPropStr: an annotated PROPID_ACC_NAME is the
    // name clients read, in place of the one the control would give.
    std::map<ControlId, std::u16string> names;
    // learn.microsoft.com, LiveSetting enumeration: Off 0, Polite 1, Assertive 2.
    std::map<ControlId, int> liveSetting;
    std::vector<std::u16string> announced;  // what the reader said, in order

    void setName(ControlId id, std::u16string_view name) override { names[id] = name; }
    void setLiveRegion(ControlId id) override { liveSetting[id] = 1; }
    // learn.microsoft.com, Event Constants (EVENT_OBJECT_LIVEREGIONCHANGED): a reader reads the
    // changed region's text, unless its LiveSetting is Off.
    void liveRegionChanged(ControlId id) override {
        const auto it = liveSetting.find(id);
        if (it != liveSetting.end() && it->second != 0)
            announced.push_back(view_.text(id));
    }

  private:
    const IFormView& view_;
};

}  // namespace harfpad::fakes
