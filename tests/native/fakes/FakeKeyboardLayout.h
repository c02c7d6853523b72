// The active layout as a settable name; loads are recorded and make the layout active.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/KeyboardLayoutApi.h"

namespace harfpad::fakes {

class FakeKeyboardLayout final : public IKeyboardLayoutApi {
  public:
    std::string active = "00000409";
    bool failNameQuery = false;
    bool activateOnLoad = true;  // false: the platform refuses every layout
    std::vector<std::string> loads;

    bool getKeyboardLayoutName(std::span<char> buffer) override {
        if (failNameQuery)
            return false;
        const std::size_t n = std::min(active.size() + 1, buffer.size());
        std::memcpy(buffer.data(), active.c_str(), n);
        return true;
    }
    void loadKeyboardLayout(const std::string& name, unsigned flags) override {
        loads.push_back(name);
        lastFlags = flags;
        if (activateOnLoad)
            active = name;
    }
    unsigned lastFlags = 0;
};

}  // namespace harfpad::fakes
