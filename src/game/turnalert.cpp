#include "turnalert.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

AlertSwitches AlertSwitches::load(const QString& fileName)
{
    AlertSwitches switches;
    const QSettings file(fileName, QSettings::IniFormat);
    switches.flash = file.value(QStringLiteral("alerts/flash"), switches.flash).toBool();
    switches.desktop = file.value(QStringLiteral("alerts/desktop"), switches.desktop).toBool();
    switches.sound = file.value(QStringLiteral("alerts/sound"), switches.sound).toBool();
    return switches;
}

void AlertSwitches::save(const QString& fileName) const
{
    QSettings file(fileName, QSettings::IniFormat);
    file.setValue(QStringLiteral("alerts/flash"), flash);
    file.setValue(QStringLiteral("alerts/desktop"), desktop);
    file.setValue(QStringLiteral("alerts/sound"), sound);
}

QString AlertSwitches::fileBeside(const QString& configFile)
{
    return QFileInfo(configFile).absoluteDir().filePath(QStringLiteral("alerts.ini"));
}

QString TurnAlert::text(Prompt prompt, int armies)
{
    switch (prompt) {
    case Prompt::Capital:
        return tr("Pick your capital");
    case Prompt::Place:
        return tr("Your turn: place %1 armies").arg(armies);
    case Prompt::Decide:
        return tr("Your turn: place your armies or attack");
    case Prompt::More:
        return tr("Your turn: attack, move or finish");
    case Prompt::Take:
        return tr("You conquered a country: choose the armies that move in");
    case Prompt::Exchange:
        return tr("Your turn: exchange cards");
    }
    return {};
}

std::optional<QString> TurnAlert::prompt(Prompt prompt, int armies, bool windowActive)
{
    if (windowActive) {
        m_called = false;
        return std::nullopt;
    }
    if (m_called)
        return std::nullopt;
    m_called = true;
    return text(prompt, armies);
}
