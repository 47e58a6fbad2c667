#pragma once

#include <QHostAddress>
#include <QString>

namespace quilvarden::tools {

// Where quilvarden-db serve listens: an address and a port, or why the text names none.
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0;
    QString mistake; // empty when the text names an address
};

// HOST:PORT, the host a name (resolved: localhost, the machine's name), an IPv4 address, or
// an IPv6 address in brackets ([::1]:8080); 0.0.0.0 and [::] for every address. A name that
// resolves to several addresses gives its first IPv4 one.
ListenAddress listenAddress(const QString& text);

} // namespace quilvarden::tools
