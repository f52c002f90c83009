// The yardstick for the client's start-up: a bare Qt dialog with a label, a
// line edit and a button, shown and probed exactly as the client's login
// dialog is (the moment it is exposed and the resident memory then).

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Nickname:"), &dialog));
    layout->addWidget(new QLineEdit(&dialog));
    layout->addWidget(new QPushButton(QStringLiteral("Login"), &dialog));
    dialog.show();

    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, &dialog, [&] {
        const QWindow* window = dialog.windowHandle();
        if (!window || !window->isExposed())
            return;
        probe.stop();
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
    probe.start();
    return app.exec();
}
