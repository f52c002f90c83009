#include "alertsound.h"
#include "bannerview.h"
#include "dbusnotifier.h"
#include "hintline.h"
#include "marquee.h"
#include "marqueerotation.h"
#include "question.h"
#include "splash.h"

#include <QAbstractButton>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMainWindow>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVariantMap>
#include <QWindow>

// A notification service of the test's own, on a session bus of its own.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList calls;

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout)
    {
        calls << QStringList{app,
                             QString::number(replaces),
                             icon,
                             summary,
                             body,
                             QString::number(actions.size()),
                             hints.value(QStringLiteral("desktop-entry")).toString(),
                             QString::number(timeout)}
                     .join(QLatin1Char('|'));
        return 40 + uint(calls.size());
    }
};

class TestUi : public QObject
{
    Q_OBJECT

private slots:
    void marqueeScrollsAndWraps();
    void bannerWithoutAPage();
    void rotation_data();
    void rotation();
    void questionAnswers();
    void hintLineWrapsInItsBar();
    void splashFinishHidesOnNextPass();
    void chimeModuleBesideTheProgram();
    void notifiesAndReplaces();
};

void TestUi::marqueeScrollsAndWraps()
{
    Marquee marquee;
    marquee.resize(Marquee::PanelSize);
    // A black outline round the red panel.
    const QImage image = marquee.grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 50)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(1, 50)), QColor(Qt::red));
    // The timer moves the text even while the marquee is hidden; the offset
    // wraps only once the text has left entirely.
    QTRY_VERIFY_WITH_TIMEOUT(marquee.offset() >= 3, 2000);
    const int limit = Marquee::PanelSize.width() + marquee.textWidth();
    while (marquee.offset() < limit)
        marquee.increaseCurrent();
    QCOMPARE(marquee.offset(), limit);
    marquee.increaseCurrent();
    QCOMPARE(marquee.offset(), 0);
}

void TestUi::bannerWithoutAPage()
{
    // The banner draws its own: the six seat colours and the game's name in white.
    const QImage banner = BannerView().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x)
            colours.insert(banner.pixel(x, y));
    }
    for (const QColor seat :
         {QColor(Qt::yellow), QColor(Qt::red), QColor(Qt::cyan), QColor(Qt::blue),
          QColor(Qt::green), QColor(Qt::magenta), QColor(Qt::white)})
        QVERIFY2(colours.contains(seat.rgb()), qPrintable(seat.name()));
}

// Each row is a sequence of ticks five seconds apart from second 1000, with
// the own user's membership at each; one letter a tick: K keep, S show, H hide.
void TestUi::rotation_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");
    const QString keep59(59, QLatin1Char('K'));
    const QString nonMember(64, QLatin1Char('n'));
    const QString member(64, QLatin1Char('m'));
    // Shown at the first tick, hidden at the tick 10 s later, back after 300 s.
    QTest::newRow("non-member") << u'n' + nonMember
                                << QStringLiteral("SKH") + keep59 + QStringLiteral("SKH");
    QTest::newRow("member never sees it")
        << u'm' + member << QStringLiteral("KKK") + keep59 + QStringLiteral("KKK");
    // One who logs in as a member while it is shown sees it go, and never again.
    QTest::newRow("member logging in while shown")
        << u'n' + member << QStringLiteral("SKH") + keep59 + QStringLiteral("KKK");
}

void TestUi::rotation()
{
    QFETCH(QString, member);
    qint64 now = 1000;
    MarqueeRotation rotation;
    rotation.setClock([&now] { return now; });
    bool visible = false;
    QString steps;
    for (int i = 0; i < member.size(); ++i, now += 5) {
        const MarqueeRotation::Step step = rotation.tick(visible, member[i] == QLatin1Char('m'));
        if (step != MarqueeRotation::Step::Keep)
            visible = step == MarqueeRotation::Step::Show;
        steps += step == MarqueeRotation::Step::Keep ? QLatin1Char('K')
                                                     : QLatin1Char(visible ? 'S' : 'H');
    }
    QTEST(steps, "expected");
}

// A hint longer than the window is wide wraps, and the tool bar holding it
// grows until every line shows; the window never widens for it.
void TestUi::hintLineWrapsInItsBar()
{
    QMainWindow window;
    auto* bar = new QToolBar(&window);
    auto* line = new HintLine(bar);
    bar->addWidget(line);
    window.addToolBar(bar);
    window.setCentralWidget(new QWidget(&window));
    window.resize(300, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int oneLine = line->height();
    line->setText(QStringLiteral("Start needs at least 4 human players: wait for more players "
                                 "to join, or open a new game with a lower minimum"));
    QTRY_VERIFY(line->height() > 2 * oneLine);
    QCOMPARE(window.width(), 300);
    QVERIFY(line->height() >= line->heightForWidth(line->width()));

    // Shorter again, the bar gives the room back.
    line->setText(QStringLiteral("Short"));
    QTRY_COMPARE(line->height(), oneLine);
}

void TestUi::questionAnswers()
{
    QWidget parent;
    Question question(tr("Logout"), tr("Do you really want to log out?"), &parent,
                      QStringLiteral("LogoutDialog"));
    QSignalSpy yes(&question, &Question::yes);
    QSignalSpy no(&question, &Question::no);
    // On a fresh dialog Return is yes (as Yes is in the window's logout case);
    // No, closing the window and Escape are no.
    const QList<std::function<void()>> answers{
        [&] { QTest::keyClick(&question, Qt::Key_Return); },
        [&] { question.findChild<QAbstractButton*>(QStringLiteral("NoButton"))->click(); },
        [&] { question.close(); },
        [&] {
            QTest::keyClick(&question, Qt::Key_Escape);
        }};
    for (const auto& answer : answers) {
        question.show();
        QVERIFY(QTest::qWaitForWindowExposed(&question));
        answer();
        QVERIFY(!question.isVisible());
    }
    QCOMPARE(yes.size(), 1);
    QCOMPARE(no.size(), 3);
}

void TestUi::splashFinishHidesOnNextPass()
{
    Splash splash;
    splash.showNow();
    QVERIFY(splash.windowHandle()->isExposed());
    splash.finish();
    QVERIFY(splash.isVisible());
    QTRY_VERIFY(!splash.isVisible());
}

namespace {

// Whether Qt Multimedia's sample loader thread runs; it ends by itself once
// no sample is loading.
bool sampleLoaderRunning()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + QStringLiteral("/comm")));
        if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("QSampleCache"))
            return true;
    }
    return false;
}

} // namespace

void TestUi::chimeModuleBesideTheProgram()
{
    QLibrary module(AlertSound::modulePaths(qEnvironmentVariable("TARVENIX_RUN_DIR")).constFirst());
    using Create = QObject* (*)(QObject*, const QString&, float);
    const auto create = reinterpret_cast<Create>(module.resolve("tarvenixCreateChime"));
    QVERIFY2(create, qPrintable(module.errorString()));

    // The chime comes from a server that holds back the end of the sample for
    // a while, so that the player goes while the sample is still loading, as
    // when the program quits right as the chime first sounds. The player must
    // wait for the loading to end: Qt's loader thread, still decoding while
    // the program ends, hangs or crashes its exit.
    QFile chime(qEnvironmentVariable("TARVENIX_SOURCE_DIR") +
                QStringLiteral("/src/ui/sounds/turn.wav"));
    QVERIFY(chime.open(QIODevice::ReadOnly));
    const QByteArray sample = chime.readAll();
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    connect(&server, &QTcpServer::newConnection, &server, [&server, &sample] {
        QTcpSocket* client = server.nextPendingConnection();
        client->write("HTTP/1.0 200 OK\r\nContent-Type: audio/x-wav\r\nContent-Length: " +
                      QByteArray::number(sample.size()) + "\r\n\r\n" + sample.left(64));
        QTimer::singleShot(600, client, [client, &sample] {
            client->write(sample.mid(64));
            client->disconnectFromHost();
        });
    });
    const QString source = QStringLiteral("http://127.0.0.1:%1/turn.wav").arg(server.serverPort());
    {
        QObject owner;
        const QObject* effect = create(&owner, source, 0.5f);
        QCOMPARE(effect->metaObject()->className(), "QSoundEffect");
        QCOMPARE(effect->property("source").toUrl(), QUrl(source));
        QTRY_VERIFY(server.findChild<QTcpSocket*>());
        QVERIFY(sampleLoaderRunning());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!sampleLoaderRunning(), 300);
}

// The desktop notification goes to org.freedesktop.Notifications on the
// session bus with the arguments its Notify method takes, each replacing
// the program's previous one; the bus is the test's own.
void TestUi::notifiesAndReplaces()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    QProcess bus;
    bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
    QVERIFY(bus.waitForStarted());
    QTRY_VERIFY(bus.canReadLine());
    // Read by the session bus connection when it is first used.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QDBusConnection service = QDBusConnection::connectToBus(
        QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")), QStringLiteral("service"));
    QVERIFY(service.isConnected());
    FakeNotifications fake;
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DBusNotifier notifier;
    notifier.notify(QStringLiteral("Tarvenix: your turn"), QStringLiteral("Pick your capital"));
    QTRY_COMPARE(fake.calls.size(), 1);
    // The answer names the message; the next one takes its place.
    QTest::qWait(50);
    notifier.notify(QStringLiteral("Tarvenix: your turn"),
                    QStringLiteral("Your turn: exchange cards"));
    QTRY_COMPARE(fake.calls.size(), 2);
    QCOMPARE(fake.calls,
             QStringList({QStringLiteral("tarvenix|0|tarvenix|Tarvenix: your turn|Pick your "
                                         "capital|0|tarvenix|10000"),
                          QStringLiteral("tarvenix|41|tarvenix|Tarvenix: your turn|Your turn: "
                                         "exchange cards|0|tarvenix|10000")}));
    QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    bus.kill();
    bus.waitForFinished();
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
