#pragma once

#include <QObject>

class QSoundEffect;

// The short chime that calls a player back to his turn. The sound device is
// only opened when the chime first plays; without one nothing is heard.
class AlertSound : public QObject
{
    Q_OBJECT

public:
    explicit AlertSound(QObject* parent = nullptr);

    static QString source();

public slots:
    void play();

private:
    QSoundEffect* m_effect = nullptr;
};
