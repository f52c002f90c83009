#include "serverpaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString DatabaseName = QStringLiteral("tarvenix-server.db");

bool holdsMaps(const QString& directory)
{
    return !directory.isEmpty() &&
           QFileInfo(QDir(directory).filePath(QStringLiteral("maps"))).isDir();
}

} // namespace

ServerPaths ServerPaths::choose(const Inputs& inputs)
{
    ServerPaths paths;
    const bool beside = holdsMaps(inputs.programDirectory);
    if (!inputs.dataOption.isEmpty())
        paths.dataDirectory = inputs.dataOption;
    else if (!beside && holdsMaps(inputs.installedData))
        paths.dataDirectory = inputs.installedData;
    else
        paths.dataDirectory = inputs.programDirectory;

    // systemd may hand over several state directories; the first is ours.
    const QString state = inputs.stateDirectory.section(QLatin1Char(':'), 0, 0);
    if (!inputs.databaseOption.isEmpty()) {
        paths.databasePath = inputs.databaseOption;
    } else if (!state.isEmpty()) {
        paths.databasePath = QDir(state).filePath(DatabaseName);
    } else if (beside || inputs.userStateDirectory.isEmpty()) {
        paths.databasePath = DatabaseName;
    } else {
        paths.databasePath = QDir(inputs.userStateDirectory).filePath(DatabaseName);
        paths.createDirectory = inputs.userStateDirectory;
    }
    return paths;
}

QString ServerPaths::userStateDirectory()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) {
        const QString home = QDir::homePath();
        if (home.isEmpty() || home == QDir::rootPath())
            return QString();
        base = QDir(home).filePath(QStringLiteral(".local/state"));
    }
    return QDir(base).filePath(QStringLiteral("tarvenix-server"));
}
