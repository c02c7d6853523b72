// The XML HTTP request component the feedback post goes through, as a seam for tests.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace harfpad {

// Raised by every request call that fails (not opened, unreachable server, broken connection).
class HttpRequestError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class IHttpRequest {
  public:
    virtual ~IHttpRequest() = default;
    // An absent user or password is passed as "no value".
    virtual void open(std::u16string_view method, std::u16string_view url, bool async,
                      const std::optional<std::u16string>& user,
                      const std::optional<std::u16string>& password) = 0;
    virtual void setRequestHeader(std::u16string_view name, std::u16string_view value) = 0;
    // Sends the body as UTF-8; synchronous requests return when the whole response is in.
    virtual void send(std::u16string_view body) = 0;
    virtual std::u16string responseText() = 0;
};

class IHttpRequestFactory {
  public:
    virtual ~IHttpRequestFactory() = default;
    // Creates the component registered under the programmatic identifier; nullptr when it is not
    // installed or cannot be created.
    virtual std::unique_ptr<IHttpRequest> create(std::u16string_view progId) = 0;
};

}  // namespace harfpad
