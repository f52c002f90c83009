#include "../chat/chatlines.h"
#include "favouritesdialog.h"
#include "logindialog.h"
#include "map.h"
#include "newgamedialog.h"
#include "server.h"
#include "settings.h"
#include "tarvenix.h"
#include "testclient.h"
#include "testmaps.h"
#include "userinfo.h"
#include "usersdialog.h"
#include "wizarddriver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tcl.h>

// A map drawn in the wizard against the real local server, started here on
// a free port: the server takes it, gives it back as a personal slot, a game
// is opened on it, and a second client receives it as it was drawn.
class TestEditorServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void drawnMapIsStoredAndPlayed();

private:
    // A main window logged in as the user, with the land picture as "world".
    Tarvenix* loggedIn(const QString& nickname);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Server> m_server;
    std::vector<std::unique_ptr<Tarvenix>> m_windows;
};

namespace {

// The size of every base picture the server knows.
const QSize PictureSize(testmaps::Width, testmaps::Height);

} // namespace

void TestEditorServer::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
    if (qEnvironmentVariableIsEmpty("TARVENIX_SERVER_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.server.info=false\n"
                                                        "tarvenix.map.warning=false"));
}

void TestEditorServer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<Settings>(m_dir->filePath(QStringLiteral("tarvenix.cfg")));
    QVERIFY(
        testmaps::writeDefaultMap(m_dir->path(), testmaps::bandMap(1, QStringLiteral("Testland"))));
    ServerOptions options;
    options.port = 0;
    options.databasePath = m_dir->filePath(QStringLiteral("server.db"));
    options.dataDirectory = m_dir->path();
    options.fastPasswordHashing = true;
    m_server = std::make_unique<Server>(options);
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));

    for (const char* name : {"Ann", "Bob"}) {
        TestClient client;
        QVERIFY(client.connectTo(m_server->port()));
        QCOMPARE(client.registerAs(QString::fromLatin1(name)), -1);
    }
    QTRY_COMPARE(m_server->userCount(), 0);
}

void TestEditorServer::cleanup()
{
    m_windows.clear();
    m_server.reset();
    m_settings.reset();
    m_dir.reset();
}

Tarvenix* TestEditorServer::loggedIn(const QString& nickname)
{
    m_windows.push_back(std::make_unique<Tarvenix>());
    Tarvenix* window = m_windows.back().get();
    window->map()->setPictures({{QStringLiteral("world"), landPicture(PictureSize)}});
    window->setServer(QStringLiteral("127.0.0.1"), m_server->port());
    window->show();
    window->loginDialog()->findChild<QLineEdit*>(QStringLiteral("_nickname"))->setText(nickname);
    window->loginDialog()
        ->findChild<QLineEdit*>(QStringLiteral("_password"))
        ->setText(QStringLiteral("secret"));
    window->actionLogin();
    if (!QTest::qWaitFor([window] { return window->lobby()->me() != nullptr; }, 5000))
        return nullptr;
    return window;
}

void TestEditorServer::drawnMapIsStoredAndPlayed()
{
    Tarvenix* ann = loggedIn(QStringLiteral("Ann"));
    QVERIFY(ann);
    ann->activateWindow();
    const ThreeCountries plan(PictureSize);
    WizardDriver driver(ann);
    driver.drawThreeCountries(plan, 2, QStringLiteral("Trio"));
    QVERIFY2(driver.errors().isEmpty(), qPrintable(driver.errors().join(u'\n')));
    const Map* drawn = ann->map();
    const std::vector<qint32> index(drawn->picture().index(),
                                    drawn->picture().index() +
                                        PictureSize.width() * PictureSize.height());

    // Back as the personal slot it went into, in both places that list them.
    QTRY_VERIFY(chatLines(ann->output())
                    .join(u'\n')
                    .contains(QStringLiteral("The map Trio is stored in slot 3")));
    QVERIFY(!chatLines(ann->output()).join(u'\n').contains(QStringLiteral("did not store")));
    const auto favourites =
        ann->favouritesDialog()->findChildren<QRadioButton*>(QStringLiteral("FavouritesSlot"));
    QCOMPARE(favourites.at(2)->text(), QStringLiteral("Trio by Ann"));
    const auto personal = ann->newGameDialog()->findChildren<QRadioButton*>(
        QStringLiteral("NewGameMapsPersonalButton"));
    QCOMPARE(personal.at(2)->text(), QStringLiteral("Trio by Ann"));

    personal.at(2)->click();
    const int mapId = ann->newGameDialog()->maps()->selectedMapId();
    QVERIFY(mapId > 0);
    QTest::mouseClick(
        ann->newGameDialog()->findChild<QPushButton*>(QStringLiteral("NewGameDialogButton")),
        Qt::LeftButton);
    QTRY_VERIFY(ann->lobby()->me()->gameId != 0);
    const int gameId = ann->lobby()->me()->gameId;
    QTRY_COMPARE(ann->map()->mapId(), mapId);

    Tarvenix* bob = loggedIn(QStringLiteral("Bob"));
    QVERIFY(bob);
    QTRY_VERIFY(bob->usersDialog()->findGame(gameId));
    bob->actionWatch(gameId);
    QTRY_COMPARE(bob->map()->mapId(), mapId);
    QTRY_VERIFY(!bob->map()->isLoading());

    const Map* seen = bob->map();
    QCOMPARE(seen->model().mapName(), QStringLiteral("Trio"));
    QCOMPARE(seen->picture().name(), QStringLiteral("world"));
    const std::vector<qint32> arrived(seen->picture().index(),
                                      seen->picture().index() + index.size());
    QVERIFY(arrived == index);
    QCOMPARE(int(seen->model().continents().size()), 2);
    QCOMPARE(seen->model().continent(0)->name, QStringLiteral("West"));
    QCOMPARE(seen->model().continent(1)->value, 5);
    struct Expected
    {
        QString name;
        int continent;
        QPoint label;
        QRect area;
        QList<int> neighbours;
    };
    const Expected expected[] = {
        {QStringLiteral("Alpha"), 0, plan.alphaLabel, plan.alphaArea, {2, 3}},
        {QStringLiteral("Beta"), 1, plan.inBeta, plan.betaArea, {1, 3}},
        {QStringLiteral("Gamma"), 1, plan.gammaLabel, plan.gammaArea, {1, 2}},
    };
    QCOMPARE(int(seen->countries().size()), 3);
    for (int n = 1; n <= 3; ++n) {
        const Country* c = seen->country(n);
        QVERIFY(c);
        const Expected& e = expected[n - 1];
        QCOMPARE(c->name, e.name);
        QCOMPARE(c->continent, e.continent);
        QCOMPARE(QPoint(c->textX, c->textY), e.label);
        QCOMPARE(c->area, e.area);
        QList<int> neighbours = c->neighbours();
        std::sort(neighbours.begin(), neighbours.end());
        QCOMPARE(neighbours, e.neighbours);
    }
    QCOMPARE(int(seen->lines().size()), 1);
    QCOMPARE(QLine(seen->lines().front().p1(), seen->lines().front().p2()), plan.seaLine);
}

QTEST_MAIN(TestEditorServer)
#include "tst_editorserver.moc"
