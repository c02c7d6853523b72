// A tiny HTTP server on 127.0.0.1 for tests: records each request and answers as the test
// chooses, also the way misbehaving servers do. Serves each connection on a thread of its own.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace harfpad::wine_test {

class LoopbackHttpServer {
  public:
    struct Request {
        std::string method;
        std::string target;
        std::vector<std::pair<std::string, std::string>> headers;  // as received, in order
        std::string body;
        // Values of the header with this name (case-insensitive).
        std::vector<std::string> header(const std::string& name) const;
    };
    struct Reply {
        Reply(std::string text = {}) : body(std::move(text)) {}
        std::string body;
        int status = 200;             // 401 and 407 come with a header asking for Basic credentials
        std::uint64_t filler = 0;     // this many more bytes of short paragraphs
        unsigned bytesPerSecond = 0;  // 0: as fast as the client takes it
        bool silent = false;          // reads the request, then never answers
        std::string location;         // of a redirect (a 3xx status)
    };
    using Responder = std::function<Reply(const Request&)>;

    // Listens on `port` of 127.0.0.1 (0: an ephemeral one); every response is text/html with
    // its Content-Length.
    explicit LoopbackHttpServer(Responder responder, unsigned short port = 0);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    unsigned short port() const { return port_; }
    std::string url(const std::string& path) const;
    std::vector<Request> requests() const;

    // A loopback port with nothing listening on it (bound once, then released).
    static unsigned short closedPort();

  private:
    void run();
    void serve(SOCKET connection);
    void respond(SOCKET connection, const Reply& reply);

    Responder responder_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::vector<std::thread> connections_;
    std::thread thread_;
};

}  // namespace harfpad::wine_test
