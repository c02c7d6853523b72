#pragma once

#include <memory>

#include "platform/HttpApi.h"

namespace harfpad::win32 {

// HTTP requests through WinINet in its asynchronous mode: each call returns at once while
// WinINet's own threads do the network work and report back through a status callback. Each
// request has a session of its own, so abandoning it closes everything it opened.
class Win32HttpClient final : public IHttpClient {
  public:
    std::unique_ptr<IHttpTransfer> start(const HttpRequest& request) override;
};

}  // namespace harfpad::win32
