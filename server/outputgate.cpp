#include "outputgate.h"

#include "clientsession.h"

#include <utility>

void OutputGate::open()
{
    m_closed = false;
    const QList<QPointer<ClientSession>> holding = std::exchange(m_holding, {});
    for (const QPointer<ClientSession>& session : holding) {
        if (session)
            session->releaseHeld();
    }
}
