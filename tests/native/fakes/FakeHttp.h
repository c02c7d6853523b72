// WinINet's asynchronous requests as the program sees them through IHttpClient, against a
// scripted far end on the fake clock of FakeUiServices. Records every request and what became
// of it.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeUiServices.h"
#include "platform/HttpApi.h"

namespace harfpad::fakes {

class FakeHttpClient final : public IHttpClient {
  public:
    static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
    // How the far end of one address behaves.
    struct Server {
        bool unreachable = false;          // the connection fails
        std::uint64_t headersAfterMs = 0;  // from the start of the request; kNever: silent
        int status = 200;
        std::string body;
        std::uint64_t msPerByte = 0;  // how slowly the body comes after the headers; 0: at once
        int challenge = 0;            // 401 or 407 first, which the user's Windows logon answers
        std::u16string location;      // of a redirect
    };
    struct Record {
        HttpRequest request;
        std::size_t bytesTaken = 0;
        bool abandoned = false;  // closed before it was done or had failed
    };

    explicit FakeHttpClient(FakeUiServices& clock) : clock_(clock) {}

    // Windows' own probe page, as the way out being open gives it.
    static Server probePage() { return {.body = "Microsoft Connect Test"}; }

    Server probe = probePage();  // for GET requests
    Server feedback;             // for POST requests
    Server elsewhere;            // where redirects point
    bool refusing = false;       // start() fails at once
    std::vector<Record> records;

    void reset() {
        probe = probePage();
        feedback = elsewhere = Server{};
        refusing = false;
        records.clear();
    }

    std::unique_ptr<IHttpTransfer> start(const HttpRequest& request) override {
        if (refusing)
            return nullptr;
        records.push_back({request});
        Server server = request.method == u"GET" ? probe : feedback;
        // learn.microsoft.com: WinINet API flags — INTERNET_FLAG_NO_AUTH (0x40000) "Does not
        // attempt authentication automatically": without it WinINet answers by itself a challenge
        // the user's own logon answers (NTLM, Negotiate). Handling Authentication: one that stays
        // unanswered is the response ("HttpSendRequest completes successfully, even if the proxy
        // or server requires authentication"); a sign-in window is InternetErrorDlg's, which only
        // a caller of it shows, so none ever shows here.
        if (server.challenge != 0 && (request.flags & 0x00040000u))
            server.status = server.challenge;
        // learn.microsoft.com: WinINet API flags — INTERNET_FLAG_NO_AUTO_REDIRECT (0x200000)
        // "Does not automatically handle redirection in HttpSendRequest". Without it a 307 or 308
        // sends the request, body and all, again to the Location (RFC 9110, 15.4.8 and 15.4.9).
        if ((server.status == 307 || server.status == 308) && !(request.flags & 0x00200000u)) {
            records.push_back({request});
            records.back().request.url = server.location;
            server = elsewhere;
        }
        return std::make_unique<Transfer>(*this, records.size() - 1, std::move(server));
    }

  private:
    class Transfer final : public IHttpTransfer {
      public:
        Transfer(FakeHttpClient& owner, std::size_t index, Server server)
            : owner_(owner), index_(index), server_(std::move(server)), started_(now()) {}
        // learn.microsoft.com: InternetCloseHandle — closing terminates any pending operation
        // and discards outstanding data.
        ~Transfer() override {
            if (state_ == State::Sending || state_ == State::Receiving)
                owner_.records[index_].abandoned = true;
        }
        State state() override {
            if (state_ == State::Sending && server_.unreachable)
                state_ = State::Failed;
            else if (state_ == State::Sending && server_.headersAfterMs != kNever &&
                     now() - started_ >= server_.headersAfterMs)
                state_ = State::Receiving;
            return state_;
        }
        int status() override { return server_.status; }
        // learn.microsoft.com: InternetQueryDataAvailable — what has arrived can be read at once;
        // InternetReadFile — the body is complete when a read returns TRUE with zero bytes.
        void takeBody(std::string& into, std::size_t max) override {
            if (state() != State::Receiving)
                return;
            const std::uint64_t elapsed = now() - started_ - server_.headersAfterMs;
            const std::uint64_t arrived =
                server_.msPerByte == 0
                    ? server_.body.size()
                    : std::min<std::uint64_t>(server_.body.size(), elapsed / server_.msPerByte);
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(arrived - taken_, max));
            into.append(server_.body, taken_, n);
            taken_ += n;
            owner_.records[index_].bytesTaken = taken_;
            if (taken_ == server_.body.size())
                state_ = State::Done;
        }

      private:
        std::uint64_t now() const { return owner_.clock_.tickCount(); }
        FakeHttpClient& owner_;
        std::size_t index_;
        Server server_;
        std::uint64_t started_;
        std::size_t taken_ = 0;
        State state_ = State::Sending;
    };

    FakeUiServices& clock_;
};

}  // namespace harfpad::fakes
