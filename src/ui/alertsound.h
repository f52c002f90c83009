#pragma once

#include <QObject>
#include <QStringList>

// The short chime that calls a player back to his turn. The sound device is
// only opened when the chime first plays; without one, or without the
// chime's module, nothing is heard.
class AlertSound : public QObject
{
    Q_OBJECT

public:
    explicit AlertSound(QObject* parent = nullptr);

    static QString source();
    // Where the chime's module is looked for: beside the program, as in a
    // build's run directory, then where it is installed.
    static QStringList modulePaths(const QString& programDirectory);

public slots:
    void play();

private:
    QObject* m_effect = nullptr;
    bool m_loaded = false;
};
