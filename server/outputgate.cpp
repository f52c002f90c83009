#include "outputgate.h"

#include "clientsession.h"

#include <utility>

void OutputGate::open(const Keep& keep)
{
    m_closed = false;
    const QList<QPointer<ClientSession>> holding = std::exchange(m_holding, {});
    for (const QPointer<ClientSession>& session : holding) {
        if (!session)
            continue;
        if (keep)
            session->releaseHeld([&](const QByteArray& wire) { return keep(*session, wire); });
        else
            session->releaseHeld();
    }
}
