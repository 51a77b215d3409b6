#pragma once
// A small blocking HTTP/1.1 client on plain sockets: one request per connection,
// from a chosen loopback source address if asked, so that many "clients" can
// be told apart by the server's rate limit.
#include <map>
#include <string>

namespace coilrun::server::testing {

struct HttpReply {
    int status = 0;                             // 0: no complete answer
    std::map<std::string, std::string> headers; // names in lower case
    std::string body;
    std::string error; // why there is no complete answer

    bool complete() const { return status != 0; }
    std::string header(const std::string& lowerName) const;
    // The document title as a browser reports it: the text of <title> with the
    // HTML escapes resolved (blanks are left as they are).
    std::string title() const;
};

// GET `target` (a path with its query, sent byte for byte) from 127.0.0.1:port.
HttpReply httpGet(unsigned short port, const std::string& target,
                  const std::string& sourceAddress = {}, const std::string& extraHeaders = {},
                  int timeoutSeconds = 60);
// POST `body` (application/octet-stream) to `target`, likewise.
HttpReply httpPost(unsigned short port, const std::string& target, const std::string& body,
                   const std::string& extraHeaders = {}, int timeoutSeconds = 60);

} // namespace coilrun::server::testing
