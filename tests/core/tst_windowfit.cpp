#include "buttonbar.h"
#include "cards.h"
#include "cardswidget.h"
#include "clock.h"
#include "gameitem.h"
#include "gamerecord.h"
#include "iconlegend.h"
#include "maskswidget.h"
#include "playerlist.h"
#include "registerdialog.h"
#include "robotdialog.h"
#include "testwindow.h"
#include "usersdialog.h"
#include "userswidget.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>

// The windows on the screen the process runs on (CTest runs this on a
// 1280 x 720 screen at a scale factor of 1 and on a 1366 x 768 one at 1.5):
// each fits with room for a title bar and a panel, and nothing in them is
// clipped or scrolled while it has the room.
class TestWindowFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowInAGame();
    void lobbyLists();
    void registration();
    void iconTooltips();

private:
    // The room a maximised window has on the screen.
    static QSize room();
    static bool fits(const QSize& size) { return size.boundedTo(room()) == size; }
    static QString describe(const char* what, const QSize& size);

    std::unique_ptr<TestWindow> m_test;
};

QSize TestWindowFit::room()
{
    return QGuiApplication::primaryScreen()->availableSize() - QSize(0, 40);
}

QString TestWindowFit::describe(const char* what, const QSize& size)
{
    return QStringLiteral("%1 %2 x %3 on %4 x %5")
        .arg(QLatin1String(what))
        .arg(size.width())
        .arg(size.height())
        .arg(room().width())
        .arg(room().height());
}

void TestWindowFit::initTestCase()
{
    TestWindow::initTestCase();
    m_test = std::make_unique<TestWindow>();
    Parser* parser = m_test->parser;
    emit parser->success(QStringLiteral("Me"));
    // A game with every option, a nickname as long as the rule allows and
    // the robots one can add.
    emit parser->newGame(12, 5, QStringLiteral("North America by Tarvenix"), QStringLiteral("Ann"),
                         true, true, 120, true, true, true, true, true, true, 2, 1200, 1800, true,
                         true, 2, true, true);
    emit parser->newUser(QStringLiteral("Me"), QStringLiteral("me.example"));
    emit parser->user(QStringLiteral("Me"), 1620, 40, 12, 0, false, QString(), false, 3);
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

void TestWindowFit::mainWindowInAGame()
{
    Tarvenix* window = m_test->window.get();
    QVERIFY2(fits(window->minimumSizeHint()),
             qPrintable(describe("minimum", window->minimumSizeHint())));
    window->resize(room());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), room());
    QTest::qWait(50);
    // Every tool bar shows all it holds, in a game and in the map editor: no
    // overflow arrow.
    auto noOverflow = [window](const char* where) {
        for (const QToolBar* bar : window->findChildren<QToolBar*>()) {
            for (const QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (QLatin1String(child->metaObject()->className()) ==
                        QLatin1String("QToolBarExtension") &&
                    child->isVisible())
                    return QStringLiteral("%1: %2").arg(QLatin1String(where), bar->objectName());
            }
        }
        return QString();
    };
    QCOMPARE(noOverflow("game"), QString());
    const Clock* clock = window->buttonBar()->clock();
    QVERIFY(clock->isVisible());
    QVERIFY(window->rect().contains(QRect(clock->mapTo(window, QPoint()), clock->size())));
    // Beside the hand and the players the output stays readable: forty
    // characters wide and four lines high.
    const auto* output = window->findChild<QAbstractScrollArea*>(QStringLiteral("Output"));
    const QFontMetrics lines(output->font());
    const QSize shown = output->viewport()->size();
    QVERIFY2(shown.width() >= 40 * lines.averageCharWidth() && shown.height() >= 4 * lines.height(),
             qPrintable(describe("output", shown)));
    // The hand shows five whole cards. The player list shows whole nicknames
    // where the window has the room, and a cut one whole in its tooltip.
    const CardsWidget* hand = window->cards()->cardsWidget();
    QVERIFY2(hand->rect().contains(hand->pictureRect(4)),
             qPrintable(describe("hand", hand->size())));
    PlayerList* players = window->playerList();
    const QString longest = QStringLiteral("dave-longname-16");
    const bool whole = players->columnWidth(2) >= players->fontMetrics().horizontalAdvance(longest);
    QVERIFY2(whole || room().width() < 1000, qPrintable(describe("player list", players->size())));
    if (!whole) {
        const QPoint name(players->columnX(2) + 4, players->rowHeight() + 4);
        QHelpEvent help(QEvent::ToolTip, name, players->mapToGlobal(name));
        QApplication::sendEvent(players, &help);
        QTRY_COMPARE(QToolTip::text(), longest);
    }
    window->showEditor();
    QTest::qWait(50);
    QCOMPARE(noOverflow("editor"), QString());
    window->hide();
}

void TestWindowFit::lobbyLists()
{
    UsersDialog* lobby = m_test->window->usersDialog();
    lobby->show();
    QVERIFY(QTest::qWaitForWindowExposed(lobby));
    QVERIFY2(fits(lobby->size()), qPrintable(describe("lobby", lobby->size())));
    auto* games = lobby->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("GameList"));
    auto* users = lobby->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("UserList"));
    auto* legend = lobby->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("LegendList"));
    auto* players = lobby->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("PlayerList"));
    auto* masks = lobby->masksWidget()->findChild<QTreeWidget*>(QStringLiteral("UserList"));
    QVERIFY(games && users && legend && masks && players);
    games->setCurrentItem(games->topLevelItem(0));
    QCOMPARE(players->topLevelItemCount(), 2);
    QTest::qWait(50);
    // Cells with pictures or the map's name are never cut; nicknames show
    // whole and the user lists need no horizontal scroll bar.
    auto contentWidth = [](const QAbstractItemView* list, int column) {
        return list->sizeHintForColumn(column);
    };
    for (int column : {int(GameItem::UsersColumn), int(GameItem::MapColumn)})
        QVERIFY(games->header()->sectionSize(column) >= contentWidth(games, column));
    QVERIFY(users->header()->sectionSize(0) >= contentWidth(users, 0));
    QVERIFY(!users->horizontalScrollBar()->isVisible());
    lobby->switchDisplay();
    QTest::qWait(50);
    QVERIFY(!masks->horizontalScrollBar()->isVisible());
    lobby->switchDisplay();
    // As the lobby opens and maximised, the games list keeps room for eight
    // games (six on a short screen, where the legend needs the height) and
    // shows all its columns, and every legend row is wholly in view.
    for (const QSize& size : {lobby->size(), room()}) {
        lobby->resize(size);
        QTest::qWait(50);
        const QString where = describe("lobby", lobby->size());
        const int gameRow = games->visualItemRect(games->topLevelItem(0)).height();
        const int gamesShown = room().height() < 600 ? 6 : 8;
        QVERIFY2(games->viewport()->height() >= gamesShown * gameRow, qPrintable(where));
        QVERIFY2(!games->horizontalScrollBar()->isVisible(), qPrintable(where));
        QVERIFY2(!users->horizontalScrollBar()->isVisible(), qPrintable(where));
        QVERIFY2(!players->horizontalScrollBar()->isVisible(), qPrintable(where));
        // Short of width the legend cuts its texts rather than scroll.
        QVERIFY2(!legend->horizontalScrollBar()->isVisible(), qPrintable(where));
        QVERIFY2(!legend->verticalScrollBar()->isVisible(), qPrintable(where));
        // Flowing into columns or not, a row is found where it is drawn.
        for (int row = 0; row < legend->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = legend->topLevelItem(row);
            const QRect cell = legend->visualItemRect(item);
            const QString which = QStringLiteral("%1: legend row %2").arg(where).arg(row);
            QVERIFY2(legend->viewport()->rect().contains(cell), qPrintable(which));
            QVERIFY2(legend->itemAt(cell.center()) == item, qPrintable(which));
        }
    }
    lobby->hide();

    RobotDialog* robots = m_test->window->robotDialog();
    robots->show();
    QVERIFY(QTest::qWaitForWindowExposed(robots));
    auto* robotList = robots->findChild<QTreeWidget*>(QStringLiteral("RobotDialogList"));
    QCOMPARE(robotList->topLevelItemCount(), 1);
    QTest::qWait(50);
    QVERIFY(!robotList->horizontalScrollBar()->isVisible());
    robots->hide();
}

void TestWindowFit::registration()
{
    RegisterDialog dialog;
    QVERIFY2(fits(dialog.size()), qPrintable(describe("registration", dialog.size())));
    // Side by side or not, both groups' edits start at one x.
    const auto* first = dialog.findChild<QLineEdit*>(QStringLiteral("NameEdit"));
    const auto* last = dialog.findChild<QLineEdit*>(QStringLiteral("EmailEdit"));
    QVERIFY(first && last);
    QCOMPARE(first->width(), last->width());
    QVERIFY(first->height() >= first->sizeHint().height());
}

void TestWindowFit::iconTooltips()
{
    // Every picture a game's row can show says what it means.
    GameRecord game;
    GameOptions& o = game.options;
    o.placeBeforeAttack = o.capitals = o.blind = o.increasingCards = o.gifts = o.noWhispering =
        o.hideCards = o.sameHosts = o.replaceBots = o.receiveCards = o.sameLevel = o.noRobots =
            true;
    QStringList options;
    for (int mode : {0, 1, 2}) {
        o.timerMode = mode;
        options << game.optionIcons();
    }
    options.removeDuplicates();
    QCOMPARE(options.size(), 15);
    for (const QString& file : options)
        QVERIFY2(!IconLegend::meaning(file, false).isEmpty(), qPrintable(file));
    for (const char* seat : {"Player", "Robot", "Ghost", "Observer"})
        QVERIFY(!IconLegend::meaning(QStringLiteral("Icons/%1.png").arg(QLatin1String(seat)), true)
                     .isEmpty());
    QVERIFY(IconLegend::meaning(QStringLiteral("Icons/Robot.png"), true) !=
            IconLegend::meaning(QStringLiteral("Icons/Robot.png"), false));

    // The list's tooltip names the picture under the mouse.
    UsersDialog* lobby = m_test->window->usersDialog();
    lobby->show();
    QVERIFY(QTest::qWaitForWindowExposed(lobby));
    auto* games = lobby->usersWidget()->findChild<QTreeWidget*>(QStringLiteral("GameList"));
    const QTreeWidgetItem* row = games->topLevelItem(0);
    const QStringList shown =
        row->data(GameItem::OptionsColumn, GameItem::IconsRole).toStringList();
    QVERIFY(shown.size() > 2);
    const QRect cell = games->visualItemRect(row);
    const int x = games->header()->sectionViewportPosition(GameItem::OptionsColumn) + 2 +
                  GameRecord::IconStep * 2 + GameRecord::IconStep / 2;
    const QPoint at(x, cell.center().y());
    QHelpEvent help(QEvent::ToolTip, at, games->viewport()->mapToGlobal(at));
    QApplication::sendEvent(games->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), IconLegend::meaning(shown[2], false));
    lobby->hide();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
