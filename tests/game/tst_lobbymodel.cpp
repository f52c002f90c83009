#include "lobbymodel.h"

#include <QSignalSpy>
#include <QTest>

// The lobby's model without a window: records, the own user's moves, the
// button rules, what Join and Watch send, and the masks.
class TestLobbyModel : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void addUserReplacesRecord();
    void updateUserResolvesGames_data();
    void updateUserResolvesGames();
    void updateUserReportsOnlyShownChanges_data();
    void updateUserReportsOnlyShownChanges();
    void removingGameLeavesUsersWithoutGame();
    void removingOwnRecordForgetsMe();
    void clearForgetsEverything();
    void scriptLists();
    void seatIcons_data();
    void seatIcons();
    void optionIcons_data();
    void optionIcons();
    void cellTexts_data();
    void cellTexts();
    void runningPictureNeverGoesBack();

    void buttons_data();
    void buttons();
    void ownMove_data();
    void ownMove();
    void operatorButtons_data();
    void operatorButtons();
    void entryRequests_data();
    void entryRequests();
    void loginFailures_data();
    void loginFailures();

    void singleStarMakesEveryoneFriend();
    void duplicatesAndUnknownTypesDropped();
    void masksMatchWholeTextIgnoringCase_data();
    void masksMatchWholeTextIgnoringCase();
    void masksClassifyNewUsers();
    void removalKeepsUserStillMatched();

private:
    void addGame(int id, int players = 0, bool running = false,
                 const QString& op = QStringLiteral("boss"), int minHumans = 1, int robots = 0);
    void addMe(int playing = 0, int watching = 0);

    std::unique_ptr<LobbyModel> m_model;
};

namespace {

QStringList repeat(const char* file, int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << QLatin1String(file);
    return list;
}

QStringList nicknames(const QList<QVariantList>& spy)
{
    QStringList list;
    for (const QVariantList& arguments : spy)
        list << arguments.at(0).toString();
    return list;
}

} // namespace

void TestLobbyModel::init()
{
    m_model = std::make_unique<LobbyModel>();
}

void TestLobbyModel::addGame(int id, int players, bool running, const QString& op, int minHumans,
                             int robots)
{
    GameRecord record;
    record.id = id;
    record.options.minHumans = minHumans;
    m_model->addGame(record);
    m_model->updateGame(id, op, running, players - robots, players, robots, 0);
}

void TestLobbyModel::addMe(int playing, int watching)
{
    m_model->addUser(QStringLiteral("me"), QStringLiteral("me.example"));
    m_model->setMe(QStringLiteral("me"));
    m_model->updateUser(QStringLiteral("me"), 1500, 0, playing, watching, false, {}, false, 1);
}

void TestLobbyModel::addUserReplacesRecord()
{
    QSignalSpy removed(m_model.get(), &LobbyModel::userRemoved);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("old.example"));
    m_model->updateUser(QStringLiteral("Ann"), 1800, 5, 0, 0, true, {}, false, 3);
    const UserInfo* again = m_model->addUser(QStringLiteral("Ann"), QStringLiteral("new.example"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->users().size(), 1);
    QCOMPARE(m_model->findUser(QStringLiteral("Ann")), again);
    // The new record starts over from the defaults.
    QCOMPARE(again->matchText(), QStringLiteral("Ann@new.example"));
    QCOMPARE(QList<int>({again->rating, again->level, again->games, again->gameId}),
             QList<int>({1500, 1, 0, 0}));
    QVERIFY(!again->observer && !again->member && !again->admin && !again->isFriend &&
            !again->isEnemy);
    // Nicknames are case-sensitive keys.
    QVERIFY(!m_model->findUser(QStringLiteral("ann")));
}

void TestLobbyModel::updateUserResolvesGames_data()
{
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("watching");
    QTest::addColumn<int>("gameId");
    QTest::addColumn<bool>("observer");

    QTest::newRow("in no game") << 0 << 0 << 0 << false;
    QTest::newRow("plays") << 12 << 0 << 12 << false;
    QTest::newRow("watches") << 0 << 12 << 12 << true;
    QTest::newRow("unknown games") << 98 << 99 << 0 << false;
    QTest::newRow("plays unknown, watches known") << 98 << 12 << 12 << true;
}

void TestLobbyModel::updateUserResolvesGames()
{
    QFETCH(int, playing);
    QFETCH(int, watching);
    addGame(12);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("h"));
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, playing, watching, true,
                        QStringLiteral(":-)"), true, 4);
    const UserInfo* user = m_model->findUser(QStringLiteral("Ann"));
    QTEST(user->gameId, "gameId");
    QTEST(user->observer, "observer");
    QCOMPARE(user->rating, 1720);
    QCOMPARE(user->games, 33);
    QCOMPARE(user->level, 4);
    QCOMPARE(user->smilie, QStringLiteral(":-)"));
    QVERIFY(user->member && user->admin);
    QCOMPARE(m_model->usersInGame(12).size(), user->gameId == 12 ? 1 : 0);
}

void TestLobbyModel::updateUserReportsOnlyShownChanges_data()
{
    QTest::addColumn<int>("rating");
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("playing");
    QTest::addColumn<bool>("member");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("changed");

    QTest::newRow("nothing") << 1500 << 0 << 0 << false << 1 << false;
    QTest::newRow("game only") << 1500 << 0 << 12 << false << 1 << false;
    QTest::newRow("member only") << 1500 << 0 << 0 << true << 1 << false;
    QTest::newRow("rating") << 1600 << 0 << 0 << false << 1 << true;
    QTest::newRow("games") << 1500 << 1 << 0 << false << 1 << true;
    QTest::newRow("level") << 1500 << 0 << 0 << false << 2 << true;
}

void TestLobbyModel::updateUserReportsOnlyShownChanges()
{
    QFETCH(int, rating);
    QFETCH(int, games);
    QFETCH(int, playing);
    QFETCH(bool, member);
    QFETCH(int, level);
    addGame(12);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("h"));
    QSignalSpy changed(m_model.get(), &LobbyModel::userChanged);
    QSignalSpy buttons(m_model.get(), &LobbyModel::buttonsChanged);
    m_model->updateUser(QStringLiteral("Ann"), rating, games, playing, 0, member, {}, false, level);
    QTEST(!changed.isEmpty(), "changed");
    // The buttons may depend on where the user is, so they are always asked.
    QCOMPARE(buttons.count(), 1);
    m_model->updateUser(QStringLiteral("Nobody"), 1, 1, 0, 0, false, {}, false, 1);
    QCOMPARE(buttons.count(), 1);
}

void TestLobbyModel::removingGameLeavesUsersWithoutGame()
{
    addGame(12);
    addGame(13);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("h"));
    m_model->updateUser(QStringLiteral("Ann"), 1500, 0, 0, 12, false, {}, false, 1);
    m_model->addUser(QStringLiteral("Bob"), QStringLiteral("h"));
    m_model->updateUser(QStringLiteral("Bob"), 1500, 0, 13, 0, false, {}, false, 1);
    m_model->removeGame(12);
    QVERIFY(!m_model->findGame(12));
    const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
    QCOMPARE(ann->gameId, 0);
    QVERIFY(!ann->observer);
    QCOMPARE(m_model->findUser(QStringLiteral("Bob"))->gameId, 13);
    QVERIFY(m_model->usersInGame(12).isEmpty());
    QCOMPARE(m_model->games().size(), 1);
}

void TestLobbyModel::removingOwnRecordForgetsMe()
{
    addMe();
    QVERIFY(m_model->me());
    m_model->removeUser(QStringLiteral("me"));
    QVERIFY(!m_model->me());
    // A later record of the same nickname is the own user again.
    m_model->addUser(QStringLiteral("me"), QStringLiteral("h"));
    QCOMPARE(m_model->me(), m_model->findUser(QStringLiteral("me")));
}

void TestLobbyModel::clearForgetsEverything()
{
    addGame(12);
    addMe(12);
    m_model->insertMask(QStringLiteral("*"), LobbyModel::FriendType);
    QSignalSpy cleared(m_model.get(), &LobbyModel::cleared);
    m_model->clear();
    QCOMPARE(cleared.count(), 1);
    QVERIFY(m_model->users().isEmpty());
    QVERIFY(m_model->games().isEmpty());
    QVERIFY(m_model->masks().isEmpty());
    m_model->addUser(QStringLiteral("me"), QStringLiteral("h"));
    QVERIFY(!m_model->me());
    QVERIFY(!m_model->findUser(QStringLiteral("me"))->isFriend);
}

void TestLobbyModel::scriptLists()
{
    addGame(9);
    addGame(3);
    m_model->addUser(QStringLiteral("Bob"), QStringLiteral("h"));
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("h"));
    m_model->updateUser(QStringLiteral("Ann"), 1500, 0, 9, 0, true, {}, false, 1);
    QCOMPARE(m_model->users().size(), 2);
    QCOMPARE(m_model->users().first()->nickname, QStringLiteral("Ann"));
    QCOMPARE(m_model->usersInGame(9).size(), 1);
    QCOMPARE(m_model->usersInGame(9).first()->nickname, QStringLiteral("Ann"));
    QVERIFY(m_model->usersInGame(0).isEmpty());
    QCOMPARE(m_model->members().size(), 1);
    QCOMPARE(m_model->games().size(), 2);
    QCOMPARE(m_model->games().first()->id, 3);
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
    GameRecord record;
    record.update({}, false, clients, players, robots, disconnected);
    QTEST(record.seatIcons(), "icons");
}

void TestLobbyModel::optionIcons_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<int>("timerMode");
    QTest::addColumn<QStringList>("icons");

    QTest::newRow("no flag, mode 0")
        << QString() << 0 << QStringList{QStringLiteral("Icons/TimerMode1.png")};
    QTest::newRow("mode 1") << QString() << 1
                            << QStringList{QStringLiteral("Icons/TimerMode2.png")};
    QTest::newRow("mode 2") << QString() << 2
                            << QStringList{QStringLiteral("Icons/TimerMode3.png")};
    QTest::newRow("mode 7") << QString() << 7
                            << QStringList{QStringLiteral("Icons/TimerMode3.png")};
    QTest::newRow("replace bots") << "replaceBots" << 0
                                  << QStringList{QStringLiteral("Icons/Robot.png"),
                                                 QStringLiteral("Icons/TimerMode1.png")};
    QTest::newRow("every flag") << "all" << 0
                                << QStringList{QStringLiteral("Icons/PlaceBeforeAttack.png"),
                                               QStringLiteral("Icons/Capitals.png"),
                                               QStringLiteral("Icons/Blind.png"),
                                               QStringLiteral("Icons/IncreasingCards.png"),
                                               QStringLiteral("Icons/Gift.png"),
                                               QStringLiteral("Icons/NoWhispering.png"),
                                               QStringLiteral("Icons/HideCards.png"),
                                               QStringLiteral("Icons/SameHosts.png"),
                                               QStringLiteral("Icons/Robot.png"),
                                               QStringLiteral("Icons/Cards.png"),
                                               QStringLiteral("Icons/Ladder.png"),
                                               QStringLiteral("Icons/NoBots.png"),
                                               QStringLiteral("Icons/TimerMode1.png")};
}

void TestLobbyModel::optionIcons()
{
    QFETCH(QString, flag);
    QFETCH(int, timerMode);
    QFETCH(QStringList, icons);
    GameRecord record;
    record.options.timerMode = timerMode;
    const bool all = flag == QLatin1String("all");
    record.options.replaceBots = all || flag == QLatin1String("replaceBots");
    if (all) {
        record.options.placeBeforeAttack = record.options.capitals = record.options.blind =
            record.options.increasingCards = true;
        record.options.gifts = record.options.noWhispering = record.options.hideCards =
            record.options.sameHosts = true;
        record.options.receiveCards = record.options.sameLevel = record.options.noRobots = true;
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
    GameRecord record;
    record.options.timeout = timeout;
    record.options.minRating = minRating;
    record.options.maxRating = maxRating;
    QTEST(record.timeoutText(), "timeText");
    QTEST(record.ratingText(), "ratingText");
    QCOMPARE(GameRecord::mapTextFor(QStringLiteral("Isles"), QStringLiteral("Bob")),
             QStringLiteral("Isles by Bob"));
}

void TestLobbyModel::runningPictureNeverGoesBack()
{
    addGame(1);
    const GameRecord* game = m_model->findGame(1);
    QCOMPARE(game->statusIcon(), QStringLiteral("Icons/Waiting.png"));
    m_model->updateGame(1, QStringLiteral("Ann"), true, 2, 2, 0, 0);
    QCOMPARE(game->statusIcon(), QStringLiteral("Icons/Running.png"));
    // A later status saying "not running" leaves the picture; the stored
    // flag follows the server.
    m_model->updateGame(1, QStringLiteral("Ann"), false, 2, 2, 0, 0);
    QVERIFY(!game->running);
    QCOMPARE(game->statusIcon(), QStringLiteral("Icons/Running.png"));
    QVERIFY(!m_model->updateGame(2, QStringLiteral("Ann"), true, 2, 2, 0, 0));
}

void TestLobbyModel::buttons_data()
{
    // me: none, free (in no game), plays or watches (game 1); chosenGame:
    // none, mine (1), waiting (2), running (3) or full (4); chosenUser:
    // none, player or observer of game 1, or other (in game 2).
    QTest::addColumn<QString>("me");
    QTest::addColumn<bool>("myGameRunning");
    QTest::addColumn<bool>("iOperate");
    QTest::addColumn<QString>("chosenGame");
    QTest::addColumn<QString>("chosenUser");
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
    QTest::newRow("watching running, joins waiting") << "watches" << true << false << "waiting"
                                                     << "none" << true << true << false << true;
    QTest::newRow("playing running is bound") << "plays" << true << false << "waiting"
                                              << "none" << false << false << false << false;
    QTest::newRow("playing waiting, joins other") << "plays" << false << false << "waiting"
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

    addGame(1, 3, myGameRunning, iOperate ? QStringLiteral("me") : QStringLiteral("boss"));
    addGame(2, 3);
    addGame(3, 3, true);
    addGame(4, 6);
    if (me != QLatin1String("none"))
        addMe(me == QLatin1String("plays") ? 1 : 0, me == QLatin1String("watches") ? 1 : 0);

    const QHash<QString, int> games = {{QStringLiteral("mine"), 1},
                                       {QStringLiteral("waiting"), 2},
                                       {QStringLiteral("running"), 3},
                                       {QStringLiteral("full"), 4}};
    const GameRecord* chosen = m_model->findGame(games.value(chosenGame));
    m_model->addUser(QStringLiteral("other"), QStringLiteral("h"));
    m_model->updateUser(QStringLiteral("other"), 1500, 0,
                        chosenUser == QLatin1String("player")  ? 1
                        : chosenUser == QLatin1String("other") ? 2
                                                               : 0,
                        chosenUser == QLatin1String("observer") ? 1 : 0, false, {}, false, 1);
    const UserInfo* user =
        chosenUser == QLatin1String("none") ? nullptr : m_model->findUser(QStringLiteral("other"));

    const LobbyButtons result = m_model->buttons(chosen, user);
    QTEST(result.join, "join");
    QTEST(result.watch, "watch");
    QTEST(result.kick, "kick");
    QTEST(result.newGame, "newGame");
}

void TestLobbyModel::ownMove_data()
{
    // The own user is in game 12 as "from" says (0: in no game).
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("watching");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<int>("to");

    QTest::newRow("enters as player") << "me" << 0 << 12 << 0 << true << 12;
    QTest::newRow("enters as observer") << "me" << 0 << 0 << 12 << true << 12;
    QTest::newRow("playing to watching the same game") << "me" << 12 << 0 << 12 << false << 0;
    QTest::newRow("leaves") << "me" << 12 << 0 << 0 << true << 0;
    QTest::newRow("unknown games count as leaving") << "me" << 12 << 98 << 99 << true << 0;
    QTest::newRow("moves to another game") << "me" << 12 << 13 << 0 << true << 13;
    QTest::newRow("stays out") << "me" << 0 << 0 << 0 << false << 0;
    QTest::newRow("someone else") << "Ann" << 0 << 12 << 0 << false << 0;
    QTest::newRow("same nickname in other case") << "ME" << 0 << 12 << 0 << false << 0;
}

void TestLobbyModel::ownMove()
{
    QFETCH(QString, nickname);
    QFETCH(int, from);
    QFETCH(int, playing);
    QFETCH(int, watching);
    QFETCH(bool, moves);
    QFETCH(int, to);
    QVERIFY(!m_model->ownMove(QStringLiteral("me"), 12, 0));
    addGame(12);
    addGame(13);
    addMe(from);
    const std::optional<const GameRecord*> move = m_model->ownMove(nickname, playing, watching);
    QCOMPARE(move.has_value(), moves);
    if (move)
        QCOMPARE(*move, m_model->findGame(to));
}

void TestLobbyModel::operatorButtons_data()
{
    // The own user plays in game 12 (minHumans 2) unless "inGame" is false;
    // "op" is the game's operator.
    QTest::addColumn<bool>("inGame");
    QTest::addColumn<QString>("op");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("robots");
    QTest::addColumn<bool>("applies");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("robot");

    QTest::newRow("one player") << true << "me" << false << 1 << 0 << true << false << true;
    QTest::newRow("two humans") << true << "me" << false << 2 << 0 << true << true << true;
    QTest::newRow("running") << true << "me" << true << 3 << 0 << true << false << true;
    QTest::newRow("too few humans") << true << "me" << false << 3 << 2 << true << false << true;
    QTest::newRow("robot limit") << true << "me" << false << 5 << 4 << true << false << false;
    QTest::newRow("full") << true << "me" << false << 6 << 0 << true << true << false;
    QTest::newRow("operator outside his game")
        << false << "me" << false << 2 << 0 << true << true << true;
    QTest::newRow("in the game, not operator")
        << true << "Other" << false << 2 << 0 << true << false << false;
    QTest::newRow("another's game") << false << "Zed" << false << 2 << 0 << false << false << false;
}

void TestLobbyModel::operatorButtons()
{
    QFETCH(bool, inGame);
    QFETCH(QString, op);
    QFETCH(bool, running);
    QFETCH(int, players);
    QFETCH(int, robots);
    QFETCH(bool, applies);
    addGame(12, players, running, op, 2, robots);
    QVERIFY(!m_model->operatorButtons(*m_model->findGame(12)));
    addMe(inGame ? 12 : 0);
    const std::optional<OperatorButtons> buttons = m_model->operatorButtons(*m_model->findGame(12));
    QCOMPARE(buttons.has_value(), applies);
    if (buttons) {
        QTEST(buttons->start, "start");
        QTEST(buttons->robot, "robot");
    }
}

void TestLobbyModel::entryRequests_data()
{
    // The own user's place ("none" for no own record, "free", "plays" or
    // "watches" game 1, which runs as "running" says) and the game asked for.
    QTest::addColumn<QString>("me");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("id");
    QTest::addColumn<EntryRequest>("join");
    QTest::addColumn<EntryRequest>("watch");

    const auto none = EntryRequest::None;
    const auto enter = EntryRequest::Enter;
    const auto part = EntryRequest::PartThenEnter;
    QTest::newRow("unknown own user") << "none" << false << 2 << none << none;
    QTest::newRow("in no game") << "free" << false << 2 << enter << enter;
    QTest::newRow("player of a waiting game, other game") << "plays" << false << 2 << part << part;
    QTest::newRow("player of a waiting game, same game") << "plays" << false << 1 << none << part;
    QTest::newRow("player of a running game") << "plays" << true << 2 << none << none;
    QTest::newRow("observer, other game") << "watches" << true << 2 << part << part;
    QTest::newRow("observer joins the game he watches") << "watches" << true << 1 << part << none;
}

void TestLobbyModel::entryRequests()
{
    QFETCH(QString, me);
    QFETCH(bool, running);
    QFETCH(int, id);
    addGame(1, 2, running);
    addGame(2);
    if (me != QLatin1String("none"))
        addMe(me == QLatin1String("plays") ? 1 : 0, me == QLatin1String("watches") ? 1 : 0);
    QTEST(m_model->joinRequest(id), "join");
    QTEST(m_model->watchRequest(id), "watch");
}

void TestLobbyModel::loginFailures_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("registration");

    QTest::newRow("0") << 0 << "Login failed: invalid nickname" << false;
    QTest::newRow("1") << 1 << "Login failed: already logged on" << false;
    QTest::newRow("2") << 2 << "Registration failed: try a different nickname" << true;
    QTest::newRow("3") << 3 << "Login failed: you are banned" << false;
    QTest::newRow("4") << 4 << "Registration failed: try a different nickname" << true;
    QTest::newRow("5") << 5 << "Login failed: wrong password" << false;
    QTest::newRow("6") << 6 << "Logon failed" << false;
    QTest::newRow("7") << 7 << "Logon failed" << false;
    QTest::newRow("-1") << -1 << "Logon failed" << false;
}

void TestLobbyModel::loginFailures()
{
    QFETCH(int, code);
    const LoginFailure failure = LoginFailure::forCode(code);
    QTEST(failure.text, "text");
    QTEST(failure.registration, "registration");
}

void TestLobbyModel::singleStarMakesEveryoneFriend()
{
    for (const char* nickname : {"carl", "Bob", "ann"})
        m_model->addUser(QLatin1String(nickname), QStringLiteral("h"));
    m_model->insertMask(QStringLiteral("Bob@*"), LobbyModel::FriendType);
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    m_model->insertMask(QStringLiteral("  *  "), LobbyModel::FriendType);
    // Bob already is one; the others follow the list's order.
    QCOMPARE(nicknames(friends), (QStringList{QStringLiteral("ann"), QStringLiteral("carl")}));
    QVERIFY(friends.at(0).at(1).toBool());
    QVERIFY(enemies.isEmpty());
    for (const UserInfo* user : m_model->users())
        QVERIFY(user->isFriend);
    QCOMPARE(m_model->masks().last().pattern, QStringLiteral("*"));
}

void TestLobbyModel::duplicatesAndUnknownTypesDropped()
{
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("x.example"));
    QSignalSpy added(m_model.get(), &LobbyModel::maskAdded);
    m_model->insertMask(QStringLiteral("*@x.example"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*@X.EXAMPLE"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("   "), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*"), QStringLiteral("Friend"));
    QCOMPARE(added.count(), 1);
    QCOMPARE(m_model->masks(),
             (QList<LobbyModel::Mask>{{LobbyModel::EnemyType, QStringLiteral("*@x.example")}}));
    // The same pattern as the other kind is a mask of its own.
    m_model->insertMask(QStringLiteral("*@x.example"), LobbyModel::FriendType);
    QCOMPARE(added.count(), 2);
    const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
    QVERIFY(ann->isFriend && ann->isEnemy);

    // A mask that is not there changes nothing.
    QSignalSpy removed(m_model.get(), &LobbyModel::maskRemoved);
    m_model->removeMask(QStringLiteral("*@y.example"), LobbyModel::FriendType);
    QVERIFY(removed.isEmpty());
    m_model->removeMask(QStringLiteral("*@x.example"), LobbyModel::EnemyType);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->masks(),
             (QList<LobbyModel::Mask>{{LobbyModel::FriendType, QStringLiteral("*@x.example")}}));
    QVERIFY(ann->isFriend && !ann->isEnemy);
}

void TestLobbyModel::masksMatchWholeTextIgnoringCase_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("nickname alone") << "Ann" << false;
    QTest::newRow("nickname and any host") << "Ann@*" << true;
    QTest::newRow("in capitals") << "ANN@*" << true;
    QTest::newRow("host part") << "*@10.0.0.*" << true;
    QTest::newRow("other host") << "*@10.0.1.*" << false;
    QTest::newRow("slash is a character") << "*/home" << false;
}

void TestLobbyModel::masksMatchWholeTextIgnoringCase()
{
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("10.0.0.7"));
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    m_model->insertMask(pattern, LobbyModel::FriendType);
    QCOMPARE(friends.count(), matches ? 1 : 0);
    QCOMPARE(m_model->findUser(QStringLiteral("Ann"))->isFriend, matches);
}

void TestLobbyModel::masksClassifyNewUsers()
{
    m_model->insertMask(QStringLiteral("x@*"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*@10.0.0.*"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("ann@*"), LobbyModel::FriendType);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    const UserInfo* ann = m_model->addUser(QStringLiteral("Ann"), QStringLiteral("10.0.0.9"));
    const UserInfo* bob = m_model->addUser(QStringLiteral("Bob"), QStringLiteral("10.0.1.9"));
    QVERIFY(ann->isEnemy && ann->isFriend);
    QVERIFY(!bob->isEnemy && !bob->isFriend);
    // A new record is classified quietly; the caller stores the result.
    QVERIFY(enemies.isEmpty());
}

void TestLobbyModel::removalKeepsUserStillMatched()
{
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("ann.example.org"));
    m_model->addUser(QStringLiteral("Bob"), QStringLiteral("bob.example.org"));
    m_model->insertMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("*@ann.example.org"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("Bob@*"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    m_model->removeMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    QVERIFY(friends.isEmpty());
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::FriendType);
    QVERIFY(enemies.isEmpty());
    m_model->removeMask(QStringLiteral("*@ann.example.org"), LobbyModel::FriendType);
    QCOMPARE(nicknames(friends), QStringList{QStringLiteral("Ann")});
    QVERIFY(!friends.at(0).at(1).toBool());
    QVERIFY(m_model->findUser(QStringLiteral("Bob"))->isFriend);
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    QCOMPARE(nicknames(enemies), (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
}

QTEST_GUILESS_MAIN(TestLobbyModel)
#include "tst_lobbymodel.moc"
