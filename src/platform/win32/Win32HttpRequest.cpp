#include "platform/win32/Win32HttpRequest.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

namespace {

// Owns one VARIANT.
class Variant {
  public:
    Variant() { ::VariantInit(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&v_); }

    static Variant text(std::u16string_view value) {
        Variant result;
        result.v_.vt = VT_BSTR;
        result.v_.bstrVal =
            ::SysAllocStringLen(toWide(value).c_str(), static_cast<UINT>(value.size()));
        if (!result.v_.bstrVal)
            throw HttpRequestError("out of memory");
        return result;
    }
    static Variant boolean(bool value) {
        Variant result;
        result.v_.vt = VT_BOOL;
        result.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return result;
    }
    // An optional argument left out.
    static Variant missing() {
        Variant result;
        result.v_.vt = VT_ERROR;
        result.v_.scode = DISP_E_PARAMNOTFOUND;
        return result;
    }
    Variant(Variant&& other) noexcept : v_(other.v_) { other.v_.vt = VT_EMPTY; }

    VARIANT* get() { return &v_; }
    std::u16string toText() {
        if (FAILED(::VariantChangeType(&v_, &v_, 0, VT_BSTR)))
            throw HttpRequestError("reply is not text");
        return fromWide(std::wstring_view(v_.bstrVal, ::SysStringLen(v_.bstrVal)));
    }

  private:
    VARIANT v_;
};

class Win32HttpRequest final : public IHttpRequest {
  public:
    explicit Win32HttpRequest(ComPtr<IDispatch> request) : request_(std::move(request)) {}

    void open(std::u16string_view method, std::u16string_view url, bool async,
              const std::optional<std::u16string>& user,
              const std::optional<std::u16string>& password) override {
        std::vector<Variant> args;
        args.push_back(Variant::text(method));
        args.push_back(Variant::text(url));
        args.push_back(Variant::boolean(async));
        args.push_back(user ? Variant::text(*user) : Variant::missing());
        args.push_back(password ? Variant::text(*password) : Variant::missing());
        call(L"open", DISPATCH_METHOD, args);
    }
    void setRequestHeader(std::u16string_view name, std::u16string_view value) override {
        std::vector<Variant> args;
        args.push_back(Variant::text(name));
        args.push_back(Variant::text(value));
        call(L"setRequestHeader", DISPATCH_METHOD, args);
    }
    void send(std::u16string_view body) override {
        std::vector<Variant> args;
        args.push_back(Variant::text(body));
        call(L"send", DISPATCH_METHOD, args);
    }
    std::u16string responseText() override {
        std::vector<Variant> none;
        return call(L"responseText", DISPATCH_PROPERTYGET, none).toText();
    }

  private:
    Variant call(const wchar_t* name, WORD kind, std::vector<Variant>& args) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(request_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
            throw HttpRequestError("no such member");
        // IDispatch takes the arguments last to first.
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(*it->get());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        Variant result;
        EXCEPINFO error{};
        const HRESULT hr = request_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                            result.get(), &error, nullptr);
        ::SysFreeString(error.bstrSource);
        ::SysFreeString(error.bstrDescription);
        ::SysFreeString(error.bstrHelpFile);
        if (FAILED(hr))
            throw HttpRequestError("request call failed");
        return result;
    }

    ComPtr<IDispatch> request_;
};

}  // namespace

std::unique_ptr<IHttpRequest> Win32HttpRequests::create(std::u16string_view progId) {
    if (!com_)
        com_ = std::make_unique<ComApartment>();
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(toWide(progId).c_str(), &clsid)))
        return nullptr;
    ComPtr<IDispatch> request;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  request.putVoid())) ||
        !request) {
        return nullptr;
    }
    return std::make_unique<Win32HttpRequest>(std::move(request));
}

}  // namespace harfpad::win32
