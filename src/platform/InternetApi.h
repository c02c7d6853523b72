// The WinINet calls the connectivity probe makes, as a seam for tests.
#pragma once

#include <cstdint>
#include <string>

namespace harfpad {

// An open internet handle; 0 is none.
using InternetHandle = std::uintptr_t;

// InternetOpenA access type: the system's configured proxy settings.
constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
// InternetOpenUrlA flags: load from the server even if cached, do not write the response to the
// cache, keep the connection.
constexpr std::uint32_t kInternetFlagReload = 0x80000000u;
constexpr std::uint32_t kInternetFlagNoCacheWrite = 0x04000000u;
constexpr std::uint32_t kInternetFlagKeepConnection = 0x00400000u;

class IInternetApi {
  public:
    virtual ~IInternetApi() = default;
    // InternetOpenA with no proxy name and no bypass list. 0 when it fails.
    virtual InternetHandle open(const std::u16string& agent, std::uint32_t accessType,
                                std::uint32_t flags) = 0;
    // InternetOpenUrlA with no extra headers (length 0) and context 0: sends the request and
    // returns once the response headers are in. 0 when it fails.
    virtual InternetHandle openUrl(InternetHandle internet, const std::u16string& url,
                                   std::uint32_t flags) = 0;
    // InternetCloseHandle.
    virtual void close(InternetHandle handle) = 0;
};

}  // namespace harfpad
