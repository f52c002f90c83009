#include "bannerview.h"
#include "commandline.h"
#include "corelogging.h"
#include "datadirectories.h"
#include "demorun.h"
#include "firstexposure.h"
#include "logindialog.h"
#include "settings.h"
#include "splash.h"
#include "startupreport.h"
#include "tarvenix.h"
#include "translations.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <tcl.h>

#include <cstdio>
#include <memory>

namespace {

// Start-up measurement for bench/core: once the login dialog is on screen,
// print when that was and how much memory the process holds, then quit.
void probeStartup(Tarvenix& window)
{
    new FirstExposure(window.loginDialog(), reportStartupAndQuit, &window);
}

// Chooses where the pictures come from and where the settings and scripts
// live, and makes the latter the working directory, where the settings file,
// the scripts and whatever the scripts write are found.
void chooseDirectories()
{
    const DataDirectories directories(
        QDir::currentPath(),
        DataDirectories::installedDataDirectory(DataDirectories::programDirectory()),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QString error;
    if (!directories.prepareWorkingDirectory(&error))
        qCWarning(lcCore, "%s; the settings stay in the current directory", qPrintable(error));
    else if (!QDir::setCurrent(directories.workingDirectory()))
        qCWarning(lcCore, "cannot change to %s", qPrintable(directories.workingDirectory()));
    DataDirectories::setCurrent(directories);
}

// Answers on the terminal; true when the program is to go on.
bool answer(const CommandLine& commandLine, int* exitCode)
{
    switch (commandLine.outcome()) {
    case CommandLine::Outcome::Run:
        return true;
    case CommandLine::Outcome::Help:
    case CommandLine::Outcome::Version:
        std::fputs(qPrintable(commandLine.text()), stdout);
        *exitCode = 0;
        return false;
    case CommandLine::Outcome::Error:
        std::fputs(qPrintable(commandLine.text()), stderr);
        *exitCode = 2;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVENIX_VERSION));
    const QString serverVariable = qEnvironmentVariable("TARVENIX_SERVER");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The help and the version need no display: answer them before the
    // application object connects to one.
    int exitCode = 0;
    if (!answer(CommandLine(arguments, serverVariable, CommandLine::Stage::BeforeApplication),
                &exitCode))
        return exitCode;

    Tcl_FindExecutable(argv[0]);
    chooseDirectories();
    Settings settings(QStringLiteral("tarvenix.cfg"));

    BannerView::prepareApplication();
    // A desktop at 125 % or 150 % gets exactly that scale: rounded down to
    // 100 %, the larger fonts no longer fit the unscaled button bar and side
    // panels; the pictures take the fractional scale without visible harm.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    const Translations translations(QLocale::system());
    // The menu entry installed with the program, for the desktop to match its windows to.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarvenix.Tarvenix"));
    const CommandLine commandLine(QApplication::arguments(), serverVariable,
                                  CommandLine::Stage::AfterApplication);
    if (!answer(commandLine, &exitCode))
        return exitCode;
    if (!commandLine.bannerUrl().isEmpty())
        BannerView::setUrl(commandLine.bannerUrl());

    auto splash = std::make_unique<Splash>();
    splash->showNow();

    // What the login does not show is built once the login dialog is up.
    Tarvenix window(nullptr, Tarvenix::Build::LoginFirst);
    window.setServer(commandLine.server().host, commandLine.server().port);
    window.show();
    window.start();
    // The probe's watch comes after the window's own: it sees the dialog on
    // screen first, before the rest of the window is built.
    if (qEnvironmentVariableIsSet("TARVENIX_STARTUP_PROBE"))
        probeStartup(window);
    std::unique_ptr<DemoRun> demo;
    if (commandLine.demo()) {
        window.completeBuild();
        demo = std::make_unique<DemoRun>(&window);
        demo->start();
    }

    splash->finish();
    splash.reset();

    return app.exec();
}
