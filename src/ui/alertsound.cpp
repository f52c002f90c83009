#include "alertsound.h"

#include <QSoundEffect>
#include <QUrl>

AlertSound::AlertSound(QObject* parent) : QObject(parent) {}

QString AlertSound::source()
{
    return QStringLiteral("qrc:/tarvenix/sounds/turn.wav");
}

void AlertSound::play()
{
    if (!m_effect) {
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl(source()));
        m_effect->setVolume(0.6f);
    }
    m_effect->play();
}
