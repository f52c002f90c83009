#include "bannerview.h"
#include "logindialog.h"
#include "serveraddress.h"
#include "settings.h"
#include "splash.h"
#include "tarvenix.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <tcl.h>

#include <cstdio>
#include <memory>

namespace {

// Start-up measurement for bench/core: once the login dialog is on screen,
// print when that was and how much memory the process holds, then quit.
void probeStartup(Tarvenix& window)
{
    auto* probe = new QTimer(&window);
    probe->setInterval(1);
    QObject::connect(probe, &QTimer::timeout, &window, [&window, probe] {
        const QWindow* dialog = window.loginDialog()->windowHandle();
        if (!dialog || !dialog->isExposed())
            return;
        probe->stop();
        QByteArray rss = "?";
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmRSS:"))
                    rss = line.mid(6).simplified();
            }
        }
        std::printf("login-shown-ms %lld\nvmrss %s\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), rss.constData());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    probe->start();
}

} // namespace

int main(int argc, char* argv[])
{
    Tcl_FindExecutable(argv[0]);
    Settings settings(QStringLiteral("tarvenix.cfg"));

    BannerView::prepareApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvenix"));
    QApplication::setApplicationVersion(QStringLiteral(TARVENIX_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(
        QApplication::translate("main", "Tarvenix, the territory-conquest board game."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption serverOption(
        QStringLiteral("server"),
        QApplication::translate("main", "Connect to the game server at <host[:port]> (default "
                                        "%1:%2; the environment variable TARVENIX_SERVER does "
                                        "the same).")
            .arg(Tarvenix::defaultHost())
            .arg(Tarvenix::DefaultPort),
        QStringLiteral("host[:port]"));
    const QCommandLineOption bannerOption(
        QStringLiteral("banner-url"),
        QApplication::translate("main", "Show the banner page at <url>."), QStringLiteral("url"));
    options.addOption(serverOption);
    options.addOption(bannerOption);
    options.process(app);

    ServerAddress server{Tarvenix::defaultHost(), Tarvenix::DefaultPort};
    QString serverText = qEnvironmentVariable("TARVENIX_SERVER");
    if (options.isSet(serverOption))
        serverText = options.value(serverOption);
    if (!serverText.isEmpty() &&
        !ServerAddress::parse(serverText, Tarvenix::DefaultPort, &server)) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(
                QApplication::translate("main", "Not a server address: %1").arg(serverText)));
        return 2;
    }
    if (options.isSet(bannerOption))
        BannerView::setUrl(QUrl::fromUserInput(options.value(bannerOption)));

    auto splash = std::make_unique<Splash>();
    splash->showNow();

    Tarvenix window;
    window.setServer(server.host, server.port);
    window.show();
    window.start();

    splash->finish();
    splash.reset();

    if (qEnvironmentVariableIsSet("TARVENIX_STARTUP_PROBE"))
        probeStartup(window);
    return app.exec();
}
