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

std::string formUnescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
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

std::vector<std::pair<std::string, std::string>> LoopbackHttpServer::Request::formFields() const {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string pair = body.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        fields.emplace_back(
            formUnescape(pair.substr(0, equals)),
            equals == std::string::npos ? "" : formUnescape(pair.substr(equals + 1)));
        start = end + 1;
    }
    return fields;
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
        serve(connection);
        ::closesocket(connection);
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
    const std::string body = responder_(request);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                 std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
                                 (request.method == "HEAD" ? std::string() : body);
    ::send(connection, response.data(), static_cast<int>(response.size()), 0);
}

}  // namespace harfpad::wine_test
