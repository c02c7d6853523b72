#include "support/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace harfpad::wine_test {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Binds 127.0.0.1:port; port 0 takes an ephemeral one and gives it back in `port`.
SOCKET boundLoopbackSocket(unsigned short& port) {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        throw std::runtime_error("socket failed");
    if (port != 0) {
        // A fixed port may still hold connections of an earlier run in TIME_WAIT.
        const BOOL reuse = TRUE;
        ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
                     sizeof reuse);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::closesocket(s);
        throw std::runtime_error("bind failed");
    }
    int length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

class WinsockUser {
  public:
    WinsockUser() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { ::WSACleanup(); }
};

}  // namespace

std::vector<std::string> LoopbackHttpServer::Request::header(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& [key, value] : headers) {
        if (lowerCase(key) == lowerCase(name))
            values.push_back(value);
    }
    return values;
}

LoopbackHttpServer::LoopbackHttpServer(Responder responder, unsigned short port)
    : responder_(std::move(responder)), port_(port) {
    static WinsockUser winsock;
    listener_ = boundLoopbackSocket(port_);
    ::listen(listener_, 8);
    thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stop_ = true;
    thread_.join();
    for (std::thread& connection : connections_) connection.join();
    ::closesocket(listener_);
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

unsigned short LoopbackHttpServer::closedPort() {
    static WinsockUser winsock;
    unsigned short port = 0;
    ::closesocket(boundLoopbackSocket(port));
    return port;
}

void LoopbackHttpServer::run() {
    while (!stop_) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait{0, 50'000};
        if (::select(0, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        const SOCKET connection = ::accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            continue;
        connections_.emplace_back([this, connection] {
            serve(connection);
            ::closesocket(connection);
        });
    }
}

void LoopbackHttpServer::serve(SOCKET connection) {
    const DWORD timeoutMs = 5000;
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                 sizeof timeoutMs);
    std::string data;
    char buffer[4096];
    std::size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        const int got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        data.append(buffer, got);
    }
    Request request;
    std::size_t lineStart = 0;
    std::size_t lineEnd = data.find("\r\n");
    const std::string requestLine = data.substr(0, lineEnd);
    const std::size_t space1 = requestLine.find(' ');
    const std::size_t space2 = requestLine.find(' ', space1 + 1);
    request.method = requestLine.substr(0, space1);
    request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
    for (lineStart = lineEnd + 2; lineStart < headerEnd; lineStart = lineEnd + 2) {
        lineEnd = data.find("\r\n", lineStart);
        const std::string line = data.substr(lineStart, lineEnd - lineStart);
        const std::size_t colon = line.find(':');
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        request.headers.emplace_back(line.substr(0, colon), value);
    }
    std::size_t length = 0;
    if (const auto values = request.header("Content-Length"); !values.empty())
        length = std::stoul(values.front());
    request.body = data.substr(headerEnd + 4);
    while (request.body.size() < length) {
        const int got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.body.append(buffer, got);
    }
    const Reply reply = responder_(request);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    respond(connection, reply);
}

namespace {

// False once the client has closed its end (or the wait is over with nothing to read).
bool clientStillThere(SOCKET connection, long waitUs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    timeval wait{0, waitUs};
    if (::select(0, &readable, nullptr, nullptr, &wait) <= 0)
        return true;
    char byte;
    return ::recv(connection, &byte, 1, MSG_PEEK) > 0;
}

}  // namespace

void LoopbackHttpServer::respond(SOCKET connection, const Reply& reply) {
    if (reply.silent) {
        while (!stop_ && clientStillThere(connection, 50'000)) {
        }
        return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(reply.status);
    if (reply.status == 401)
        head += " Unauthorized\r\nWWW-Authenticate: Basic realm=\"harfpad test\"";
    else if (reply.status == 407)
        head +=
            " Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"harfpad test\"";
    else
        head += reply.location.empty() ? " OK" : " Redirect\r\nLocation: " + reply.location;
    head += "\r\nContent-Type: text/html\r\nContent-Length: " +
            std::to_string(reply.body.size() + reply.filler) + "\r\nConnection: close\r\n\r\n";
    ::send(connection, head.data(), static_cast<int>(head.size()), 0);
    const std::uint64_t total = reply.body.size() + reply.filler;
    std::string filler;  // short paragraphs, as a long page has them
    while (filler.size() < 64 * 1024) filler += "<p>" + std::string(56, 'x') + "</p>\n";
    std::uint64_t sent = 0;
    while (sent < total && !stop_) {
        std::size_t n = reply.bytesPerSecond ? 1 : filler.size();
        const char* data = nullptr;
        if (sent < reply.body.size()) {
            n = std::min<std::size_t>(n, reply.body.size() - sent);
            data = reply.body.data() + sent;
        } else {
            n = static_cast<std::size_t>(std::min<std::uint64_t>(n, total - sent));
            data = filler.data();
        }
        const int done = ::send(connection, data, static_cast<int>(n), 0);
        if (done <= 0)
            break;  // the client has gone
        sent += static_cast<std::uint64_t>(done);
        if (reply.bytesPerSecond && !clientStillThere(connection, 1'000'000 / reply.bytesPerSecond))
            break;
    }
}

}  // namespace harfpad::wine_test
