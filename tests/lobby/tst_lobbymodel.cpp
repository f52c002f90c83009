#include "gameitem.h"
#include "gamerecord.h"
#include "lobbyrules.h"
#include "userinfo.h"
#include "useritem.h"

#include <QTest>
#include <QTreeWidget>

#include <memory>

// The lobby's records and rules on their own: game cells, seat and option
// icons, sort keys, and which buttons the rules allow.
class TestLobbyModel : public QObject
{
    Q_OBJECT

private slots:
    void newUserStartsWithDefaults();
    void seatIcons_data();
    void seatIcons();
    void optionIcons_data();
    void optionIcons();
    void cellTexts_data();
    void cellTexts();
    void runningPictureNeverGoesBack();
    void gameSortPutsWaitingFirst();
    void gameRatingSortsAsText();
    void userSortIsNumericExceptNickname();
    void userColours_data();
    void userColours();
    void buttons_data();
    void buttons();
};

namespace {

QStringList repeat(const char* file, int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << QLatin1String(file);
    return list;
}

GameRecord game(int id, int players = 0, bool running = false)
{
    GameRecord record;
    record.id = id;
    record.players = players;
    record.running = running;
    return record;
}

} // namespace

void TestLobbyModel::newUserStartsWithDefaults()
{
    const UserInfo user(QStringLiteral("Ann"), QStringLiteral("host.example"));
    QCOMPARE(user.rating, 1500);
    QCOMPARE(user.level, 1);
    QCOMPARE(user.games, 0);
    QCOMPARE(user.gameId, 0);
    QVERIFY(!user.observer && !user.member && !user.admin && !user.isFriend && !user.isEnemy);
    QCOMPARE(user.matchText(), QStringLiteral("Ann@host.example"));
}

void TestLobbyModel::seatIcons_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("robots");
    QTest::addColumn<int>("disconnected");
    QTest::addColumn<int>("clients");
    QTest::addColumn<QStringList>("icons");

    QTest::newRow("4 players, 1 robot, 1 ghost, 3 clients")
        << 4 << 1 << 1 << 3
        << repeat("Icons/Player.png", 2) + repeat("Icons/Ghost.png", 1) +
               repeat("Icons/Robot.png", 1) + repeat("Icons/Observer.png", 1);
    QTest::newRow("empty game") << 0 << 0 << 0 << 0 << QStringList();
    QTest::newRow("observers only") << 0 << 0 << 0 << 2 << repeat("Icons/Observer.png", 2);
    QTest::newRow("robots only") << 3 << 3 << 0 << 0 << repeat("Icons/Robot.png", 3);
    QTest::newRow("six humans") << 6 << 0 << 0 << 6 << repeat("Icons/Player.png", 6);
}

void TestLobbyModel::seatIcons()
{
    QFETCH(int, players);
    QFETCH(int, robots);
    QFETCH(int, disconnected);
    QFETCH(int, clients);
    QFETCH(QStringList, icons);
    GameRecord record;
    record.players = players;
    record.robots = robots;
    record.disconnected = disconnected;
    record.clients = clients;
    QCOMPARE(record.seatIcons(), icons);
}

void TestLobbyModel::optionIcons_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<int>("timerMode");
    QTest::addColumn<QStringList>("icons");

    QTest::newRow("no flag, mode 0") << QString() << 0 << QStringList{"Icons/TimerMode1.png"};
    QTest::newRow("mode 1") << QString() << 1 << QStringList{"Icons/TimerMode2.png"};
    QTest::newRow("mode 2") << QString() << 2 << QStringList{"Icons/TimerMode3.png"};
    QTest::newRow("mode 7") << QString() << 7 << QStringList{"Icons/TimerMode3.png"};
    QTest::newRow("replace bots") << "replaceBots" << 0
                                  << QStringList{"Icons/Robot.png", "Icons/TimerMode1.png"};
    QTest::newRow("every flag") << "all" << 0
                                << QStringList{"Icons/PlaceBeforeAttack.png",
                                               "Icons/Capitals.png",
                                               "Icons/Blind.png",
                                               "Icons/IncreasingCards.png",
                                               "Icons/Gift.png",
                                               "Icons/NoWhispering.png",
                                               "Icons/HideCards.png",
                                               "Icons/SameHosts.png",
                                               "Icons/Robot.png",
                                               "Icons/Cards.png",
                                               "Icons/Ladder.png",
                                               "Icons/NoBots.png",
                                               "Icons/TimerMode1.png"};
}

void TestLobbyModel::optionIcons()
{
    QFETCH(QString, flag);
    QFETCH(int, timerMode);
    QFETCH(QStringList, icons);
    GameRecord record;
    record.timerMode = timerMode;
    const bool all = flag == QLatin1String("all");
    record.replaceBots = all || flag == QLatin1String("replaceBots");
    if (all) {
        record.placeBeforeAttack = record.capitals = record.blind = record.increasingCards = true;
        record.gifts = record.noWhispering = record.hideCards = record.sameHosts = true;
        record.getCards = record.sameLevel = record.noBots = true;
    }
    QCOMPARE(record.optionIcons(), icons);
    QCOMPARE(record.optionsWidth(), 14 * int(icons.size()));
}

void TestLobbyModel::cellTexts_data()
{
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("minRating");
    QTest::addColumn<int>("maxRating");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("ratingText");

    QTest::newRow("no timeout, no range") << 0 << 0 << 0 << QString() << QString();
    QTest::newRow("90 seconds") << 90 << 0 << 0 << "01:30" << QString();
    QTest::newRow("30 minutes") << 1800 << 0 << 0 << "30:00" << QString();
    QTest::newRow("range") << 120 << 1200 << 1600 << "02:00"
                           << "1200 - 1600";
    QTest::newRow("lower bound 0") << 120 << 0 << 1600 << "02:00" << QString();
    QTest::newRow("upper bound 0") << 120 << 1200 << 0 << "02:00" << QString();
}

void TestLobbyModel::cellTexts()
{
    QFETCH(int, timeout);
    QFETCH(int, minRating);
    QFETCH(int, maxRating);
    QFETCH(QString, timeText);
    QFETCH(QString, ratingText);
    GameRecord record;
    record.timeout = timeout;
    record.minRating = minRating;
    record.maxRating = maxRating;
    record.minHumans = 3;
    record.mapText = GameRecord::mapTextFor(QStringLiteral("Isles"), QStringLiteral("Bob"));
    const GameItem item(record);
    QCOMPARE(item.text(GameItem::TimeoutColumn), timeText);
    QCOMPARE(item.text(GameItem::RatingColumn), ratingText);
    QCOMPARE(item.text(GameItem::HumansColumn), QStringLiteral("3"));
    QCOMPARE(item.text(GameItem::MapColumn), QStringLiteral("Isles by Bob"));
    QVERIFY(item.text(GameItem::OperatorColumn).isEmpty());
}

void TestLobbyModel::runningPictureNeverGoesBack()
{
    GameItem item(game(1));
    QCOMPARE(item.statusIcon(), QStringLiteral("Icons/Waiting.png"));
    item.update(QStringLiteral("Ann"), true, 2, 2, 0, 0);
    QCOMPARE(item.text(GameItem::OperatorColumn), QStringLiteral("Ann"));
    QCOMPARE(item.statusIcon(), QStringLiteral("Icons/Running.png"));
    // A later status saying "not running" leaves the picture; the stored
    // flag follows the server.
    item.update(QStringLiteral("Ann"), false, 2, 2, 0, 0);
    QVERIFY(!item.running);
    QCOMPARE(item.statusIcon(), QStringLiteral("Icons/Running.png"));
}

void TestLobbyModel::gameSortPutsWaitingFirst()
{
    QTreeWidget list;
    list.setColumnCount(GameItem::ColumnCount);
    list.setSortingEnabled(true);
    const struct
    {
        const char* op;
        bool running;
    } games[] = {{"anna", true}, {"Zed", false}, {"bob", true}, {"carl", false}};
    int id = 1;
    for (const auto& g : games) {
        auto* item = new GameItem(game(id++));
        item->update(QLatin1String(g.op), g.running, 1, 1, 0, 0);
        list.addTopLevelItem(item);
    }
    list.sortByColumn(GameItem::OperatorColumn, Qt::AscendingOrder);
    QStringList order;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        order << list.topLevelItem(i)->text(GameItem::OperatorColumn);
    QCOMPARE(order, (QStringList{"carl", "Zed", "anna", "bob"}));

    // The users column counts everyone in the game, numerically.
    static_cast<GameItem*>(list.topLevelItem(0))->update("carl", false, 10, 1, 0, 0);
    list.sortByColumn(GameItem::UsersColumn, Qt::DescendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(GameItem::OperatorColumn), QStringLiteral("carl"));
}

void TestLobbyModel::gameRatingSortsAsText()
{
    QTreeWidget list;
    list.setColumnCount(GameItem::ColumnCount);
    list.setSortingEnabled(true);
    GameRecord low = game(1);
    low.minRating = 900;
    low.maxRating = 1000;
    GameRecord high = game(2);
    high.minRating = 1200;
    high.maxRating = 1500;
    list.addTopLevelItem(new GameItem(low));
    list.addTopLevelItem(new GameItem(high));
    list.sortByColumn(GameItem::RatingColumn, Qt::AscendingOrder);
    // "1200 - 1500" < "900 - 1000" as text.
    QCOMPARE(list.topLevelItem(0)->text(GameItem::RatingColumn), QStringLiteral("1200 - 1500"));
}

void TestLobbyModel::userSortIsNumericExceptNickname()
{
    std::vector<std::unique_ptr<UserInfo>> users;
    QTreeWidget list;
    UserItem::setUpList(&list);
    const struct
    {
        const char* nick;
        int rating;
    } rows[] = {{"bob", 1500}, {"Ann", 900}, {"carl", 10000}};
    for (const auto& row : rows) {
        users.push_back(std::make_unique<UserInfo>(QLatin1String(row.nick), "h"));
        users.back()->rating = row.rating;
        list.addTopLevelItem(new UserItem(users.back().get()));
    }
    list.sortByColumn(UserItem::RatingColumn, Qt::AscendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("Ann"));
    QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("carl"));
    list.sortByColumn(UserItem::NicknameColumn, Qt::AscendingOrder);
    QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("Ann"));
    QCOMPARE(list.topLevelItem(1)->text(0), QStringLiteral("bob"));
    list.clear();
}

void TestLobbyModel::userColours_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<bool>("isFriend");
    QTest::addColumn<bool>("isEnemy");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("plain") << false << false << false << QColor();
    QTest::newRow("friend") << false << true << false << QColor(0, 128, 0);
    QTest::newRow("enemy") << false << false << true << QColor(255, 0, 0);
    QTest::newRow("friend and enemy") << false << true << true << QColor(255, 127, 0);
    QTest::newRow("admin beats both") << true << true << true << QColor(0, 0, 128);
}

void TestLobbyModel::userColours()
{
    QFETCH(bool, admin);
    QFETCH(bool, isFriend);
    QFETCH(bool, isEnemy);
    QFETCH(QColor, colour);
    UserInfo user(QStringLiteral("x"), QStringLiteral("h"));
    user.admin = admin;
    user.isFriend = isFriend;
    user.isEnemy = isEnemy;
    QCOMPARE(UserItem::colourFor(user), colour);
    const UserItem row(&user);
    const QVariant foreground = row.data(0, Qt::ForegroundRole);
    QCOMPARE(foreground.isValid(), colour.isValid());
    if (colour.isValid())
        QCOMPARE(foreground.value<QBrush>().color(), colour);
}

// Situations: who I am and where, which game and which user are chosen.
void TestLobbyModel::buttons_data()
{
    QTest::addColumn<QString>("me");         // "none", "free", "plays", "watches"
    QTest::addColumn<bool>("myGameRunning"); // for plays and watches
    QTest::addColumn<bool>("iOperate");      // I run my game
    QTest::addColumn<QString>("chosenGame"); // "none", "mine", "waiting", "running", "full"
    QTest::addColumn<QString>("chosenUser"); // "none", "player", "observer", "other"
    QTest::addColumn<bool>("join");
    QTest::addColumn<bool>("watch");
    QTest::addColumn<bool>("kick");
    QTest::addColumn<bool>("newGame");

    QTest::newRow("no own record") << "none" << false << false << "waiting"
                                   << "player" << false << false << false << false;
    QTest::newRow("free, nothing chosen") << "free" << false << false << "none"
                                          << "none" << false << false << false << true;
    QTest::newRow("free, waiting game") << "free" << false << false << "waiting"
                                        << "none" << true << true << false << true;
    QTest::newRow("free, running game") << "free" << false << false << "running"
                                        << "none" << false << true << false << true;
    QTest::newRow("free, full game") << "free" << false << false << "full"
                                     << "none" << false << true << false << true;
    QTest::newRow("watching running, waiting game") << "watches" << true << false << "waiting"
                                                    << "none" << true << true << false << true;
    QTest::newRow("playing running") << "plays" << true << false << "waiting"
                                     << "none" << false << false << false << false;
    QTest::newRow("playing waiting, other game") << "plays" << false << false << "waiting"
                                                 << "none" << true << true << false << true;
    QTest::newRow("operator waiting, kicks player") << "plays" << false << true << "mine"
                                                    << "player" << true << true << true << true;
    QTest::newRow("operator waiting, kicks observer") << "plays" << false << true << "mine"
                                                      << "observer" << true << true << true << true;
    QTest::newRow("operator running, player") << "plays" << true << true << "none"
                                              << "player" << false << false << false << false;
    QTest::newRow("operator running, observer") << "plays" << true << true << "none"
                                                << "observer" << false << false << true << false;
    QTest::newRow("operator, user of other game") << "plays" << false << true << "none"
                                                  << "other" << false << false << false << true;
    QTest::newRow("not operator, player") << "plays" << false << false << "none"
                                          << "player" << false << false << false << true;
}

void TestLobbyModel::buttons()
{
    QFETCH(QString, me);
    QFETCH(bool, myGameRunning);
    QFETCH(bool, iOperate);
    QFETCH(QString, chosenGame);
    QFETCH(QString, chosenUser);

    UserInfo own(QStringLiteral("me"), QStringLiteral("h"));
    GameRecord mine = game(1, 3, myGameRunning);
    mine.operatorName = iOperate ? QStringLiteral("me") : QStringLiteral("boss");
    if (me == QLatin1String("plays") || me == QLatin1String("watches")) {
        own.gameId = 1;
        own.observer = me == QLatin1String("watches");
    }
    const GameRecord waiting = game(2, 3, false);
    const GameRecord running = game(3, 3, true);
    const GameRecord full = game(4, 6, false);
    const GameRecord* chosen = nullptr;
    if (chosenGame == QLatin1String("mine"))
        chosen = &mine;
    else if (chosenGame == QLatin1String("waiting"))
        chosen = &waiting;
    else if (chosenGame == QLatin1String("running"))
        chosen = &running;
    else if (chosenGame == QLatin1String("full"))
        chosen = &full;

    UserInfo other(QStringLiteral("other"), QStringLiteral("h"));
    other.gameId = chosenUser == QLatin1String("other") ? 2 : 1;
    other.observer = chosenUser == QLatin1String("observer");
    const UserInfo* user = chosenUser == QLatin1String("none") ? nullptr : &other;

    const LobbyButtons result = lobbyButtons(me == QLatin1String("none") ? nullptr : &own,
                                             own.gameId ? &mine : nullptr, chosen, user);
    QTEST(result.join, "join");
    QTEST(result.watch, "watch");
    QTEST(result.kick, "kick");
    QTEST(result.newGame, "newGame");
}

QTEST_MAIN(TestLobbyModel)
#include "tst_lobbymodel.moc"
