#pragma once

#include <memory>

#include "platform/HttpRequestApi.h"
#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// Creates the XML HTTP request component through COM from its programmatic identifier and
// drives it through IDispatch. COM is started on the calling thread at the first request, not
// at start-up, and stays until this object goes.
class Win32HttpRequests final : public IHttpRequestFactory {
  public:
    std::unique_ptr<IHttpRequest> create(std::u16string_view progId) override;

  private:
    std::unique_ptr<ComApartment> com_;
};

}  // namespace harfpad::win32
