// A tiny HTTP server on 127.0.0.1 for tests: records each request and answers with a body the
// test chooses. Serves one connection at a time on its own thread.
#pragma once

#include <winsock2.h>

#include <atomic>
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
        // The body read as application/x-www-form-urlencoded, by a decoder of the tests' own:
        // fields in order, values as the raw bytes they stand for.
        std::vector<std::pair<std::string, std::string>> formFields() const;
    };
    using Responder = std::function<std::string(const Request&)>;

    // Listens on `port` of 127.0.0.1 (0: an ephemeral one); every response is "200 OK"
    // text/html with the responder's body.
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

    Responder responder_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::thread thread_;
};

}  // namespace harfpad::wine_test
