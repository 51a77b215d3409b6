#pragma once
#include "server/site.h"

#include <QHostAddress>
#include <QHttpServer>

namespace coilrun::server {

// Puts the site on a QHttpServer: every request, known path or not, goes to
// Site::handle on the server's thread, and is logged to stderr when answered.
class HttpFrontEnd {
public:
    explicit HttpFrontEnd(Site& site);

    // Listens on address:port (port 0: any free port). Returns the port, 0 on failure.
    quint16 listen(const QHostAddress& address, quint16 port);

private:
    QHttpServer server_;
    Site& site_;
};

} // namespace coilrun::server
