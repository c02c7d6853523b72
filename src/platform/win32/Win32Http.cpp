#include "platform/win32/Win32Http.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

namespace {

constexpr DWORD kReadChunk = 64 * 1024;

// What a request's callbacks and its transfer share. WinINet may still write into it after the
// transfer is gone (a send or read in flight when the handle was closed), so it lives until both
// the transfer and the handle's last callback (INTERNET_STATUS_HANDLE_CLOSING) let go of it.
struct Shared {
    std::wstring headers;
    std::string body;  // read by WinINet while the request is sent
    std::vector<char> buffer = std::vector<char>(kReadChunk);
    // Written by a read or a query that completes later, on another thread: never on a stack.
    DWORD got = 0;
    DWORD available = 0;
    std::atomic<bool> pending{false};
    std::atomic<bool> failed{false};
    std::atomic<int> owners{1};

    void release() {
        if (--owners == 0)
            delete this;
    }
};

void CALLBACK statusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD) {
    auto* shared = reinterpret_cast<Shared*>(context);
    if (!shared)
        return;
    if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
        const auto* result = static_cast<const INTERNET_ASYNC_RESULT*>(info);
        if (!result || result->dwResult == 0)
            shared->failed = true;
        shared->pending = false;
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING) {
        shared->release();
    }
}

// A request's handles, closed child first; closing cancels what is in flight, and the request
// handle's last callback releases its share of `shared`.
struct Handles {
    UniqueInternet request, connection, session;
    Shared* shared;
    ~Handles() {
        request.reset();
        connection.reset();
        session.reset();
        shared->release();
    }
};

void CALLBACK closeHandles(PTP_CALLBACK_INSTANCE, void* handles) {
    delete static_cast<Handles*>(handles);
}

class Win32HttpTransfer final : public IHttpTransfer {
  public:
    explicit Win32HttpTransfer(const HttpRequest& request) : shared_(new Shared) {
        if (!open(request))
            state_ = State::Failed;
    }
    // WinINet may read what is left of a response before it lets the connection go (Wine does,
    // for a reply of known length, however long): the handles are closed on the system's
    // thread pool, so the window never waits for that.
    ~Win32HttpTransfer() override {
        auto* handles =
            new Handles{std::move(request_), std::move(connection_), std::move(session_), shared_};
        if (!::TrySubmitThreadpoolCallback(closeHandles, handles, nullptr)) {
            delete handles;
        }
    }
    Win32HttpTransfer(const Win32HttpTransfer&) = delete;
    Win32HttpTransfer& operator=(const Win32HttpTransfer&) = delete;

    State state() override {
        if (state_ == State::Sending && !shared_->pending)
            state_ = shared_->failed ? State::Failed : State::Receiving;
        return state_;
    }
    int status() override {
        DWORD code = 0, size = sizeof code;
        return ::HttpQueryInfoW(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                                &code, &size, nullptr)
                   ? static_cast<int>(code)
                   : 0;
    }
    void takeBody(std::string& into, std::size_t max) override {
        std::size_t taken = 0;
        while (state() == State::Receiving && !shared_->pending && taken < max) {
            if (shared_->failed) {
                state_ = State::Failed;
                return;
            }
            if (readPending_) {  // a read that completed later: its bytes are in the buffer
                readPending_ = false;
                if (!append(into, taken, shared_->got))
                    return;
                continue;
            }
            shared_->available = 0;
            if (!run([&] {
                    return ::InternetQueryDataAvailable(request_.get(), &shared_->available, 0, 0);
                }))
                return;
            if (shared_->pending)
                return;  // asks again once data has come
            const DWORD available = shared_->available;
            if (available == 0) {
                state_ = State::Done;
                return;
            }
            const DWORD chunk = static_cast<DWORD>(
                std::min<std::size_t>({available, max - taken, shared_->buffer.size()}));
            shared_->got = 0;
            if (!run([&] {
                    return ::InternetReadFile(request_.get(), shared_->buffer.data(), chunk,
                                              &shared_->got);
                }))
                return;
            if (shared_->pending) {
                readPending_ = true;
                return;
            }
            if (!append(into, taken, shared_->got))
                return;
        }
    }

  private:
    bool open(const HttpRequest& request) {
        const std::wstring url = toWide(request.url);
        URL_COMPONENTSW parts{sizeof parts};
        parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
        if (!::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
            (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
            return false;
        }
        const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
        std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
        path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
        DWORD flags = request.flags;
        if (parts.nScheme == INTERNET_SCHEME_HTTPS)
            flags |= INTERNET_FLAG_SECURE;

        session_.reset(::InternetOpenW(toWide(request.agent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG,
                                       nullptr, nullptr, INTERNET_FLAG_ASYNC));
        if (!session_ || ::InternetSetStatusCallbackW(session_.get(), statusCallback) ==
                             INTERNET_INVALID_STATUS_CALLBACK) {
            return false;
        }
        connection_.reset(::InternetConnectW(session_.get(), host.c_str(), parts.nPort, nullptr,
                                             nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection_)
            return false;
        request_.reset(::HttpOpenRequestW(connection_.get(), toWide(request.method).c_str(),
                                          path.c_str(), nullptr, nullptr, nullptr, flags,
                                          reinterpret_cast<DWORD_PTR>(shared_)));
        if (!request_)
            return false;
        ++shared_->owners;  // the request handle's last callback lets go of it
        shared_->headers = toWide(request.headers);
        shared_->body = request.body;
        return run([&] {
            return ::HttpSendRequestW(request_.get(), shared_->headers.c_str(),
                                      static_cast<DWORD>(shared_->headers.size()),
                                      shared_->body.data(),
                                      static_cast<DWORD>(shared_->body.size()));
        });
    }

    // Runs one WinINet call, marked in flight before it starts: its completion may be reported
    // on another thread before the call returns. False (and Failed) when it failed at once.
    template <typename Call>
    bool run(Call call) {
        shared_->pending = true;
        if (call()) {
            shared_->pending = false;
            return true;
        }
        if (::GetLastError() == ERROR_IO_PENDING)
            return true;
        shared_->pending = false;
        state_ = State::Failed;
        return false;
    }
    bool append(std::string& into, std::size_t& taken, DWORD got) {
        if (got == 0) {
            state_ = State::Done;
            return false;
        }
        into.append(shared_->buffer.data(), got);
        taken += got;
        return true;
    }

    Shared* shared_;
    State state_ = State::Sending;
    bool readPending_ = false;
    UniqueInternet session_, connection_, request_;
};

}  // namespace

std::unique_ptr<IHttpTransfer> Win32HttpClient::start(const HttpRequest& request) {
    auto transfer = std::make_unique<Win32HttpTransfer>(request);
    if (transfer->state() == IHttpTransfer::State::Failed)
        return nullptr;
    return transfer;
}

}  // namespace harfpad::win32
