#include "alertsound.h"

#include "datadirectories.h"

#include <QDir>
#include <QLibrary>
#include <QLoggingCategory>
#include <QMetaObject>

Q_LOGGING_CATEGORY(lcSound, "tarvenix.sound", QtWarningMsg)

namespace {

using CreateChime = QObject* (*)(QObject*, const QString&, float);

constexpr float Volume = 0.6f;

} // namespace

AlertSound::AlertSound(QObject* parent) : QObject(parent) {}

QString AlertSound::source()
{
    return QStringLiteral("qrc:/tarvenix/sounds/turn.wav");
}

QStringList AlertSound::modulePaths(const QString& programDirectory)
{
    const QDir program(programDirectory);
    const QString name = QStringLiteral(TARVENIX_CHIME_MODULE);
    return {program.filePath(name), QDir::cleanPath(program.filePath(
                                        QStringLiteral(TARVENIX_CHIME_FROM_PROGRAM "/") + name))};
}

void AlertSound::play()
{
    if (!m_loaded) {
        m_loaded = true;
        for (const QString& path : modulePaths(DataDirectories::programDirectory())) {
            QLibrary module(path);
            const auto create =
                reinterpret_cast<CreateChime>(module.resolve("tarvenixCreateChime"));
            if (create) {
                m_effect = create(this, source(), Volume);
                break;
            }
            qCDebug(lcSound) << "no chime module:" << module.errorString();
        }
    }
    if (m_effect)
        QMetaObject::invokeMethod(m_effect, "play");
}
