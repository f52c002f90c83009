#include "serveraddress.h"

bool ServerAddress::parse(const QString& text, quint16 defaultPort, ServerAddress* address)
{
    const QString trimmed = text.trimmed();
    QString host = trimmed;
    QString port;
    bool hasPort = false;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        host = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':')))
                return false;
            port = rest.mid(1);
            hasPort = true;
        }
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        host = trimmed.left(colon);
        port = trimmed.mid(colon + 1);
        hasPort = true;
    }
    if (host.isEmpty())
        return false;
    quint16 number = defaultPort;
    if (hasPort) {
        bool ok = false;
        const uint value = port.toUInt(&ok);
        if (!ok || value == 0 || value > 65535)
            return false;
        number = quint16(value);
    }
    address->host = host;
    address->port = number;
    return true;
}
