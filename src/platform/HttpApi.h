// HTTP requests that never make their caller wait, as a seam for tests. The Win32 layer runs
// them on WinINet in its asynchronous mode; the caller polls them from its own wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace harfpad {

// Request flags, as WinINet numbers them (INTERNET_FLAG_...).
constexpr std::uint32_t kHttpFlagReload = 0x80000000u;          // from the server, not the cache
constexpr std::uint32_t kHttpFlagNoCacheWrite = 0x04000000u;    // the response is not cached
constexpr std::uint32_t kHttpFlagKeepConnection = 0x00400000u;  // keep-alive
constexpr std::uint32_t kHttpFlagNoCookies = 0x00080000u;       // no cookies sent or stored
constexpr std::uint32_t kHttpFlagNoAutoRedirect = 0x00200000u;  // a redirect is the answer
constexpr std::uint32_t kHttpFlagNoUi = 0x00000200u;            // no dialog of the stack's own

struct HttpRequest {
    std::u16string agent;    // the User-Agent text
    std::u16string method;   // "GET", "POST"
    std::u16string url;      // absolute http:// or https:// address
    std::u16string headers;  // extra request headers, each "Name: value\r\n"
    std::string body;        // the request body's bytes
    std::uint32_t flags = 0;
};

// One request on its way. Every call returns at once; destroying it abandons the request.
class IHttpTransfer {
  public:
    enum class State {
        Sending,    // the request is being sent, the response headers are not in yet
        Receiving,  // the headers are in: status() holds; the body follows
        Done,       // the whole body has arrived
        Failed,     // no connection, a broken one, or a refused request
    };
    virtual ~IHttpTransfer() = default;
    virtual State state() = 0;
    // The response's status code, from Receiving on.
    virtual int status() = 0;
    // Appends to `into` the body bytes that have arrived and not been taken, at most `max`.
    virtual void takeBody(std::string& into, std::size_t max) = 0;
};

class IHttpClient {
  public:
    virtual ~IHttpClient() = default;
    // Starts sending the request; nullptr when it cannot even start (no usable address).
    virtual std::unique_ptr<IHttpTransfer> start(const HttpRequest& request) = 0;
};

}  // namespace harfpad
