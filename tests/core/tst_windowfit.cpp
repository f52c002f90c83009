#include "cards.h"
#include "cardswidget.h"
#include "maskswidget.h"
#include "robotdialog.h"
#include "testwindow.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QTreeWidget>

// The windows on the screen the process runs on (CTest runs this on a
// 1280 x 720 screen at a scale factor of 1, on a 1366 x 768 one at 1.5 and on
// a large one): maximised, nothing in them is hidden behind an overflow arrow
// or scrolled sideways.
class TestWindowFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowInAGame();
    void listsNeverScrollSideways();

private:
    static QSize room() { return QGuiApplication::primaryScreen()->availableSize() - QSize(0, 40); }
    // The first tool bar that hides some of its buttons behind its arrow.
    QString overflowingBar() const;

    std::unique_ptr<TestWindow> m_test;
};

void TestWindowFit::initTestCase()
{
    TestWindow::initTestCase();
    m_test = std::make_unique<TestWindow>();
    Parser* parser = m_test->parser;
    emit parser->success(QStringLiteral("Me"));
    // A game with every option, nicknames and a host as long as they come.
    emit parser->newGame(12, 5, QStringLiteral("North America by Tarvenix"), QStringLiteral("Ann"),
                         true, true, 120, true, true, true, true, true, true, 2, 1200, 1800, true,
                         true, 2, true, true);
    m_test->announceUser(QStringLiteral("Me"), 12);
    emit parser->newUser(QStringLiteral("dave-longname-16"),
                         QStringLiteral("dsl-203-0-113-77.dynamic.example-provider.net"));
    m_test->moveUser(QStringLiteral("dave-longname-16"), 12, 0);
    emit parser->robot(QStringLiteral("Robby-the-robot1"), QStringLiteral("dave-longname-16"), 1710,
                       90, 4);
    m_test->sendMap();
    emit parser->player(0, false, QStringLiteral("Me"));
    emit parser->player(1, false, QStringLiteral("dave-longname-16"));
    for (int code = 0; code < 7; ++code)
        emit parser->card(code % 4);
}

QString TestWindowFit::overflowingBar() const
{
    for (const QToolBar* bar : m_test->window->findChildren<QToolBar*>()) {
        for (const QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->inherits("QToolBarExtension") && child->isVisible())
                return bar->objectName();
        }
    }
    return QString();
}

void TestWindowFit::mainWindowInAGame()
{
    Tarvenix* window = m_test->window.get();
    window->resize(room());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(50);
    QCOMPARE(overflowingBar(), QString());
    // Beside the hand and the players the output stays readable: forty
    // characters wide and four lines high.
    const auto* output = window->findChild<QAbstractScrollArea*>(QStringLiteral("Output"));
    const QFontMetrics lines(output->font());
    const QSize shown = output->viewport()->size();
    QVERIFY(shown.width() >= 40 * lines.averageCharWidth());
    QVERIFY(shown.height() >= 4 * lines.height());
    const CardsWidget* hand = window->cards()->cardsWidget();
    QVERIFY(hand->rect().contains(hand->pictureRect(4)));
    // The map editor's wizard and player list leave the bottom bar its room.
    window->showEditor();
    QTest::qWait(50);
    QCOMPARE(overflowingBar(), QString());
    window->hide();
}

void TestWindowFit::listsNeverScrollSideways()
{
    UsersDialog* lobby = m_test->window->usersDialog();
    lobby->show();
    QVERIFY(QTest::qWaitForWindowExposed(lobby));
    const auto list = [](QWidget* parent, const char* name) {
        return parent->findChild<QTreeWidget*>(QLatin1String(name));
    };
    QTreeWidget* games = list(lobby->usersWidget(), "GameList");
    games->setCurrentItem(games->topLevelItem(0));
    // As the lobby opens and maximised.
    for (const QSize& size : {lobby->size(), room()}) {
        lobby->resize(size);
        QTest::qWait(50);
        for (const char* name : {"GameList", "UserList", "PlayerList", "LegendList"})
            QVERIFY2(!list(lobby->usersWidget(), name)->horizontalScrollBar()->isVisible(), name);
    }
    lobby->switchDisplay();
    QTest::qWait(50);
    QVERIFY(!list(lobby->masksWidget(), "UserList")->horizontalScrollBar()->isVisible());
    RobotDialog* robots = m_test->window->robotDialog();
    robots->show();
    QVERIFY(QTest::qWaitForWindowExposed(robots));
    QTest::qWait(50);
    QVERIFY(!list(robots, "RobotDialogList")->horizontalScrollBar()->isVisible());
}

QTEST_MAIN(TestWindowFit)
#include "tst_windowfit.moc"
