#pragma once

#include "platform/HttpRequestApi.h"

namespace harfpad::win32 {

// Creates the XML HTTP request component through COM from its programmatic identifier and
// drives it through IDispatch. COM must be initialised on the calling thread.
class Win32HttpRequests final : public IHttpRequestFactory {
  public:
    std::unique_ptr<IHttpRequest> create(std::u16string_view progId) override;
};

}  // namespace harfpad::win32
