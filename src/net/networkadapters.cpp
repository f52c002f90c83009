#include "networkadapters.h"

#include <QNetworkInterface>
#include <QtDebug>

namespace {

// QNetworkInterface hands the address out as text ("aa:bb:..."); the server
// expects the raw bytes formatted in upper case, so they are recovered first.
QByteArray hardwareBytes(const QString& text)
{
    QByteArray bytes;
    const QStringList parts = text.split(QLatin1Char(':'));
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2)
            return {};
        bytes.append(char(value));
    }
    return bytes;
}

} // namespace

QString formatHardwareAddress(const QByteArray& bytes)
{
    if (bytes.size() < 6)
        return {};
    return QString::asprintf("%02X:%02X:%02X:%02X:%02X:%02X", quint8(bytes[0]), quint8(bytes[1]),
                             quint8(bytes[2]), quint8(bytes[3]), quint8(bytes[4]),
                             quint8(bytes[5]));
}

QStringList networkAdapterAddresses()
{
    QStringList addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        // Linux gives loopback an all-zero six-byte address; it names no adapter.
        if (iface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QByteArray bytes = hardwareBytes(iface.hardwareAddress());
        if (bytes.size() != 6)
            continue;
        const QString address = formatHardwareAddress(bytes);
        qWarning().noquote() << address;
        addresses.append(address);
    }
    return addresses;
}
