// An XML HTTP request component that records what the program asks of it and answers with a
// scripted reply; any call can be made to fail as the real component raises an error.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/HttpRequestApi.h"

namespace harfpad::fakes {

class FakeHttpRequests final : public IHttpRequestFactory {
  public:
    // What the component was asked, across every request it created.
    std::vector<std::u16string> createdFor;
    std::vector<std::string> calls;
    std::u16string method, url, body;
    std::optional<bool> async;
    bool userGiven = false, passwordGiven = false;
    std::vector<std::pair<std::u16string, std::u16string>> headers;

    // The script.
    bool missing = false;
    std::set<std::string> failing;  // names of calls that raise an error
    std::u16string reply;
    std::function<void()> onSend;

    std::unique_ptr<IHttpRequest> create(std::u16string_view progId) override {
        createdFor.emplace_back(progId);
        if (missing)
            return nullptr;
        return std::make_unique<Request>(*this);
    }

  private:
    class Request final : public IHttpRequest {
      public:
        explicit Request(FakeHttpRequests& owner) : o_(owner) {}
        void open(std::u16string_view method, std::u16string_view url, bool async,
                  const std::optional<std::u16string>& user,
                  const std::optional<std::u16string>& password) override {
            call("open");
            o_.method = method;
            o_.url = url;
            o_.async = async;
            o_.userGiven = user.has_value();
            o_.passwordGiven = password.has_value();
        }
        void setRequestHeader(std::u16string_view name, std::u16string_view value) override {
            call("setRequestHeader");
            o_.headers.emplace_back(name, value);
        }
        void send(std::u16string_view body) override {
            o_.body = body;
            if (o_.onSend)
                o_.onSend();
            call("send");
        }
        std::u16string responseText() override {
            call("responseText");
            return o_.reply;
        }

      private:
        void call(const std::string& name) {
            o_.calls.push_back(name);
            if (o_.failing.count(name))
                throw HttpRequestError(name + " failed");
        }
        FakeHttpRequests& o_;
    };
};

}  // namespace harfpad::fakes
