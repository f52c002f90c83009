#include "outputgate.h"

#include "clientsession.h"

#include <utility>

void OutputGate::openPass()
{
    m_roundOpen = true;
    m_all = false;
    ++m_opened;
}

void OutputGate::releasePass(const Keep& keep)
{
    if (m_released == m_opened)
        return;
    ++m_released;
    const QList<QPointer<ClientSession>> holding = std::exchange(m_holding, {});
    for (const QPointer<ClientSession>& session : holding) {
        if (!session)
            continue;
        if (keep)
            session->releaseHeld(m_released,
                                 [&](const QByteArray& wire) { return keep(*session, wire); });
        else
            session->releaseHeld(m_released);
        if (session->isHolding())
            m_holding.append(session);
    }
}
