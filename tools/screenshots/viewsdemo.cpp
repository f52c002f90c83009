// Shows the configuration window or a game output view filled with sample
// lines, so that they can be looked at without a server.
#include "chatview.h"
#include "configdialog.h"
#include "settings.h"

#include <QApplication>
#include <QTabWidget>

int main(int argc, char** argv)
{
    Settings settings(QStringLiteral("tarvenix.cfg"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString what = args.value(1, QStringLiteral("config"));

    ConfigDialog config(nullptr, QStringLiteral("ConfigDialog"));
    ChatView output;
    output.setObjectName(QStringLiteral("Output"));
    output.setWindowTitle(QStringLiteral("Output"));
    QObject::connect(&config, &ConfigDialog::gameOutputFont, &output, &ChatView::changeFont);
    config.fireFonts();

    if (what == QLatin1String("chat")) {
        const QColor seats[] = {config.backgroundColor(0), config.backgroundColor(1),
                                config.backgroundColor(2), config.backgroundColor(3)};
        output.addLine(Qt::green, Qt::black, QStringLiteral("Welcome rook"), false);
        output.addLine(Qt::yellow, Qt::black, QStringLiteral("knight joined the game"), true);
        for (int i = 0; i < 12; ++i)
            output.addLine(seats[i % 4], Qt::black,
                           QStringLiteral("Player %1 attacks Ukraine from Scandinavia with 3 "
                                          "dice and loses two armies; %2 armies remain")
                               .arg(i % 4 + 1)
                               .arg(12 - i),
                           false);
        output.addLine(Qt::red, Qt::black,
                       QStringLiteral("Error in chat.tcl: invalid command name \"sned\" (4)"),
                       false);
        output.resize(560, 220);
        output.show();
    } else {
        config.findChild<QTabWidget*>(QStringLiteral("ConfigTabs"))
            ->setCurrentIndex(what == QLatin1String("fonts") ? 1 : 0);
        config.show();
    }
    return app.exec();
}
