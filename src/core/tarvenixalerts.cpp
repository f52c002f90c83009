// Calling the player back to the game when it asks something of him while
// its window is in the background: the task bar entry flashes, the desktop
// shows a notification and a chime sounds, each as the player switched them.

#include "tarvenix.h"

#include "alertsconfig.h"
#include "alertsound.h"
#include "configdialog.h"
#include "dbusnotifier.h"
#include "settings.h"

#include <QApplication>

void Tarvenix::createAlerts()
{
    m_notifier = std::make_unique<DBusNotifier>();
    m_sound = new AlertSound(this);
    AlertsConfig* config = m_configDialog->alertsConfig();
    connect(config, &AlertsConfig::switchesChanged, this, &Tarvenix::setAlertSwitches);
    connect(config, &AlertsConfig::trySound, m_sound, &AlertSound::play);
    // The switches live beside the configuration, not in it.
    if (const Settings* settings = Settings::instance())
        setAlertFile(AlertSwitches::fileBeside(settings->fileName()));
}

void Tarvenix::setNotifier(std::unique_ptr<DesktopNotifier> notifier)
{
    m_notifier = std::move(notifier);
}

void Tarvenix::setAlertFile(const QString& fileName)
{
    m_alertFile = fileName;
    m_alertSwitches = AlertSwitches::load(fileName);
    if (m_configDialog)
        m_configDialog->alertsConfig()->setSwitches(m_alertSwitches.flash, m_alertSwitches.desktop,
                                                    m_alertSwitches.sound);
}

void Tarvenix::setAlertSwitches(bool flash, bool desktop, bool sound)
{
    m_alertSwitches = {flash, desktop, sound};
    if (!m_alertFile.isEmpty())
        m_alertSwitches.save(m_alertFile);
}

void Tarvenix::alertTurn(TurnAlert::Prompt prompt, int armies)
{
    const std::optional<QString> text = m_turnAlert.prompt(prompt, armies, isActiveWindow());
    if (!text)
        return;
    if (m_alertSwitches.flash)
        QApplication::alert(this);
    if (m_alertSwitches.desktop && m_notifier)
        m_notifier->notify(tr("Tarvenix: your turn"), *text);
    if (m_alertSwitches.sound)
        m_sound->play();
}
