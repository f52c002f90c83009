#pragma once

#include <QStringList>

// The hardware addresses of this machine's network adapters as
// "XX:XX:XX:XX:XX:XX" in upper-case hex, in the system's order; interfaces
// without a six-byte address (loopback, tunnels) are left out. Each address
// is also written to the warning output, where the login reports it.
QStringList networkAdapterAddresses();

// Formats the first six bytes of a hardware address; an empty string when
// fewer than six bytes are given.
QString formatHardwareAddress(const QByteArray& bytes);
