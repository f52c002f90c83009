#include "outputgate.h"

#include "clientsession.h"

#include <utility>

void OutputGate::openPass()
{
    m_roundOpen = true;
    m_all = false;
    m_untilClosed = false;
    ++m_opened;
}

void OutputGate::closeRound(const Keep& keep)
{
    m_roundOpen = false;
    if (m_untilClosed && !m_all)
        letGo(m_opened, keep, true);
}

void OutputGate::releasePass(const Keep& keep)
{
    if (m_released == m_opened)
        return;
    ++m_released;
    letGo(m_released, keep, false);
}

void OutputGate::letGo(int pass, const Keep& keep, bool roundOnly)
{
    const QList<QPointer<ClientSession>> holding = std::exchange(m_holding, {});
    for (const QPointer<ClientSession>& session : holding) {
        if (!session)
            continue;
        std::function<bool(const QByteArray&)> kept;
        if (keep)
            kept = [&](const QByteArray& wire) {
                return keep(*session, wire);
            };
        if (roundOnly)
            session->releaseRound(pass, kept);
        else
            session->releaseHeld(pass, kept);
        if (session->isHolding())
            m_holding.append(session);
    }
}
