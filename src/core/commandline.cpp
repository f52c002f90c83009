#include "commandline.h"

#include "demorun.h"

#include "tarvenix.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

CommandLine::CommandLine(const QStringList& arguments, const QString& serverVariable, Stage stage)
    : m_server{Tarvenix::defaultHost(), Tarvenix::DefaultPort}
{
    QCommandLineParser options;
    options.setApplicationDescription(
        QCoreApplication::translate("main", "Tarvenix, the territory-conquest board game."));
    const QCommandLineOption help = options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    const QCommandLineOption serverOption(
        QStringLiteral("server"),
        QCoreApplication::translate("main", "Connect to the game server at <host[:port]> (default "
                                            "%1:%2; the environment variable TARVENIX_SERVER does "
                                            "the same).")
            .arg(Tarvenix::defaultHost())
            .arg(Tarvenix::DefaultPort),
        QStringLiteral("host[:port]"));
    const QCommandLineOption bannerOption(
        QStringLiteral("banner-url"),
        QCoreApplication::translate("main", "Show the banner page at <url>."),
        QStringLiteral("url"));
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QCoreApplication::translate("main", "Watch robots play a whole game on World: log in as "
                                            "\"%1\" (registered on first use), open a game with "
                                            "three robots and watch it.")
            .arg(QLatin1String(DemoRun::Nickname)));
    options.addOption(serverOption);
    options.addOption(bannerOption);
    options.addOption(demoOption);

    const bool parsed = options.parse(arguments);
    if (options.isSet(help)) {
        m_outcome = Outcome::Help;
        m_text = options.helpText();
        // Without an application object the parser does not know the
        // program's name.
        m_text.replace(
            QLatin1String("<executable_name>"),
            QFileInfo(arguments.value(0, QCoreApplication::applicationName())).fileName());
        return;
    }
    // The toolkit's own options are known only once the application object
    // exists; it prints them and ends the program.
    if (stage == Stage::AfterApplication && options.isSet(QStringLiteral("help-all")))
        options.process(arguments);
    if (options.isSet(version)) {
        m_outcome = Outcome::Version;
        m_text = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                               QCoreApplication::applicationVersion());
        return;
    }
    const bool onlyUnknown = !options.unknownOptionNames().isEmpty();
    if (!parsed && (stage == Stage::AfterApplication || !onlyUnknown)) {
        m_outcome = Outcome::Error;
        m_text = options.errorText() + QLatin1Char('\n');
        return;
    }

    const QString serverText =
        options.isSet(serverOption) ? options.value(serverOption) : serverVariable;
    if (!serverText.isEmpty() &&
        !ServerAddress::parse(serverText, Tarvenix::DefaultPort, &m_server)) {
        m_outcome = Outcome::Error;
        m_text = QCoreApplication::translate("main", "Not a server address: %1").arg(serverText) +
                 QLatin1Char('\n');
        return;
    }
    m_demo = options.isSet(demoOption);
    if (options.isSet(bannerOption))
        m_bannerUrl = QUrl::fromUserInput(options.value(bannerOption));
}
