#pragma once

#include "serveraddress.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// The program's options. They are read once before the application object
// exists, so that --help, --version and a wrong server address answer on the
// terminal without a display, and once more afterwards, when the toolkit has
// taken its own options (-platform, -style, ...) out of the arguments.
class CommandLine
{
public:
    enum class Outcome { Run, Help, Version, Error };
    enum class Stage {
        // Unknown options may still be the toolkit's: they are left for later.
        BeforeApplication,
        // Whatever is left unknown now is a mistake.
        AfterApplication,
    };

    // arguments holds the program's name first, as argv does; serverVariable
    // is the value of TARVENIX_SERVER, which --server overrides.
    CommandLine(const QStringList& arguments, const QString& serverVariable, Stage stage);

    Outcome outcome() const { return m_outcome; }
    // The help, the version line or the mistake, ready for the terminal.
    const QString& text() const { return m_text; }
    const ServerAddress& server() const { return m_server; }
    // Empty unless --banner-url was given.
    const QUrl& bannerUrl() const { return m_bannerUrl; }
    bool demo() const { return m_demo; }

private:
    Outcome m_outcome = Outcome::Run;
    QString m_text;
    ServerAddress m_server;
    QUrl m_bannerUrl;
    bool m_demo = false;
};
