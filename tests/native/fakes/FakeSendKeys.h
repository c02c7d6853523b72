// Send-keys that records each call; `onSend` lets a test look at the world at that moment.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/SendKeysApi.h"

namespace harfpad::fakes {

class FakeSendKeys final : public ISendKeys {
  public:
    struct Call {
        std::u16string keys;
        bool wait;
    };
    std::vector<Call> calls;
    std::function<void()> onSend;

    void SendKeys(std::u16string_view keys, bool wait) override {
        if (onSend)
            onSend();
        calls.push_back({std::u16string(keys), wait});
    }
};

}  // namespace harfpad::fakes
