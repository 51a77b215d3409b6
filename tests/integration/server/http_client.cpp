#include "tests/integration/server/http_client.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace coilrun::server::testing {
namespace {

struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string unescapeHtml(std::string s) {
    const std::pair<const char*, const char*> escapes[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : escapes) {
        for (std::size_t at = s.find(from); at != std::string::npos;
             at = s.find(from, at + std::strlen(to)))
            s.replace(at, std::strlen(from), to);
    }
    return s;
}

HttpReply failed(const std::string& why) {
    HttpReply r;
    r.error = why + (errno ? std::string(": ") + std::strerror(errno) : std::string());
    return r;
}

} // namespace

std::string HttpReply::header(const std::string& lowerName) const {
    const auto it = headers.find(lowerName);
    return it == headers.end() ? std::string() : it->second;
}

std::string HttpReply::title() const {
    const auto start = body.find("<title>");
    const auto end = body.find("</title>");
    if (start == std::string::npos || end == std::string::npos || end < start) return "<no title>";
    return unescapeHtml(body.substr(start + 7, end - start - 7));
}

namespace {

HttpReply request(const std::string& method, unsigned short port, const std::string& target,
                  const std::string& body, const std::string& sourceAddress,
                  const std::string& extraHeaders, int timeoutSeconds) {
    errno = 0;
    Socket s;
    s.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s.fd < 0) return failed("socket");
    timeval timeout{timeoutSeconds, 0};
    ::setsockopt(s.fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(s.fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (!sourceAddress.empty()) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        if (::inet_pton(AF_INET, sourceAddress.c_str(), &local.sin_addr) != 1)
            return failed("bad source address " + sourceAddress);
        if (::bind(s.fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
            return failed("bind " + sourceAddress);
    }
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(port);
    remote.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s.fd, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0)
        return failed("connect");

    std::string request = method + " " + target;
    request += " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port);
    request += "\r\nConnection: close\r\n" + extraHeaders;
    if (method == "POST") {
        request += "Content-Type: application/octet-stream\r\nContent-Length: ";
        request += std::to_string(body.size()) + "\r\n";
    }
    request += "\r\n" + body;
    for (std::size_t sent = 0; sent < request.size();) {
        const ssize_t n = ::send(s.fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return failed("send");
        sent += std::size_t(n);
    }

    std::string data;
    std::size_t headerEnd = std::string::npos;
    std::size_t wanted = std::string::npos;
    char buffer[16384];
    while (true) {
        if (headerEnd == std::string::npos) {
            headerEnd = data.find("\r\n\r\n");
            if (headerEnd != std::string::npos) {
                const std::string head = lower(data.substr(0, headerEnd));
                const auto at = head.find("\r\ncontent-length:");
                if (at != std::string::npos)
                    wanted = headerEnd + 4 + std::stoul(head.substr(at + 17));
            }
        }
        if (wanted != std::string::npos && data.size() >= wanted) break;
        const ssize_t n = ::recv(s.fd, buffer, sizeof buffer, 0);
        if (n < 0) return failed("recv");
        if (n == 0) break;
        data.append(buffer, std::size_t(n));
    }
    if (headerEnd == std::string::npos) return failed("no complete header");
    if (wanted == std::string::npos || data.size() < wanted) {
        errno = 0;
        return failed("incomplete body");
    }

    HttpReply reply;
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < headerEnd) {
        std::size_t lineEnd = data.find("\r\n", lineStart);
        if (lineEnd == std::string::npos || lineEnd > headerEnd) lineEnd = headerEnd;
        const std::string line = data.substr(lineStart, lineEnd - lineStart);
        if (first) {
            const auto space = line.find(' ');
            if (line.rfind("HTTP/1.", 0) != 0 || space == std::string::npos)
                return failed("bad status line");
            reply.status = std::atoi(line.c_str() + space + 1);
            first = false;
        } else if (const auto colon = line.find(':'); colon != std::string::npos) {
            reply.headers[lower(line.substr(0, colon))] = trim(line.substr(colon + 1));
        }
        lineStart = lineEnd + 2;
    }
    reply.body = data.substr(headerEnd + 4, wanted - headerEnd - 4);
    return reply;
}

} // namespace

HttpReply httpGet(unsigned short port, const std::string& target, const std::string& sourceAddress,
                  const std::string& extraHeaders, int timeoutSeconds) {
    return request("GET", port, target, {}, sourceAddress, extraHeaders, timeoutSeconds);
}

HttpReply httpPost(unsigned short port, const std::string& target, const std::string& body,
                   const std::string& extraHeaders, int timeoutSeconds) {
    return request("POST", port, target, body, {}, extraHeaders, timeoutSeconds);
}

} // namespace coilrun::server::testing
