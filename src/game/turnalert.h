#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

// Which of the ways to call a player back he wants.
struct AlertSwitches
{
    // The window's entry in the task bar flashes.
    bool flash = true;
    // The desktop's notification service shows what is asked.
    bool desktop = true;
    // A short sound.
    bool sound = false;

    bool operator==(const AlertSwitches&) const = default;

    // The switches as stored in the file (an INI file beside the settings
    // file's entries, which hold the login and the fonts only); the defaults
    // when it has none.
    static AlertSwitches load(const QString& fileName);
    void save(const QString& fileName) const;
    // "alerts.ini" beside the configuration file.
    static QString fileBeside(const QString& configFile);
};

// Calls the player back to the game when it asks something of him while its
// window is in the background: once per absence, whatever arrives meanwhile,
// since one call is enough to tell him and more would only nag.
class TurnAlert
{
    Q_DECLARE_TR_FUNCTIONS(TurnAlert)

public:
    // What the game asks of the local player.
    enum class Prompt { Capital, Place, Decide, More, Take, Exchange };

    // The notification text for a prompt; armies is used by Place only.
    static QString text(Prompt prompt, int armies);

    // The text to call the player back with, or nothing when his window is
    // active or he was already called since he last looked.
    std::optional<QString> prompt(Prompt prompt, int armies, bool windowActive);
    // The window became active: the next prompt may call again.
    void seen() { m_called = false; }

private:
    bool m_called = false;
};
