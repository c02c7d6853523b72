// Records the probe's WinINet calls; handles are numbers, and the test decides what fails.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/InternetApi.h"

namespace harfpad::fakes {

class FakeInternet final : public IInternetApi {
  public:
    struct Call {
        std::string what;  // "open", "openUrl", "close"
        std::u16string text;
        std::uint32_t accessType = 0;
        std::uint32_t flags = 0;
        InternetHandle handle = 0;
    };
    bool openFails = false;
    bool urlFails = false;
    std::vector<Call> calls;
    std::set<InternetHandle> openHandles;

    InternetHandle open(const std::u16string& agent, std::uint32_t accessType,
                        std::uint32_t flags) override {
        calls.push_back({"open", agent, accessType, flags, 0});
        return openFails ? 0 : issue();
    }
    InternetHandle openUrl(InternetHandle internet, const std::u16string& url,
                           std::uint32_t flags) override {
        calls.push_back({"openUrl", url, 0, flags, internet});
        return urlFails || !openHandles.count(internet) ? 0 : issue();
    }
    void close(InternetHandle handle) override {
        calls.push_back({"close", u"", 0, 0, handle});
        openHandles.erase(handle);
    }

  private:
    InternetHandle issue() {
        openHandles.insert(next_);
        return next_++;
    }
    InternetHandle next_ = 0x100;
};

}  // namespace harfpad::fakes
