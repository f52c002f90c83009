#include "lobbymodel.h"
#include "wildcard.h"

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
    void updateUser_data();
    void updateUser();
    void removalsAndClear();
    void gameCells();

    void buttons_data();
    void buttons();
    void ownMove_data();
    void ownMove();
    void operatorButtons_data();
    void operatorButtons();
    void entryRequests_data();
    void entryRequests();
    void loginFailures();

    void wildcard_data();
    void wildcard();
    void maskList();
    void masksReclassifyOnlyWhomTheyChange();

private:
    void addGame(int id, int players = 0, bool running = false,
                 const QString& op = QStringLiteral("boss"), int minHumans = 1, int robots = 0);
    const UserInfo* addUser(const QString& nickname, int playing = 0, int watching = 0,
                            const QString& host = QStringLiteral("h"));
    // "none" adds no own record; "plays" and "watches" put it in game 1.
    void addMe(const QString& place);

    std::unique_ptr<LobbyModel> m_model;
};

namespace {

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

const UserInfo* TestLobbyModel::addUser(const QString& nickname, int playing, int watching,
                                        const QString& host)
{
    m_model->addUser(nickname, host);
    m_model->updateUser(nickname, 1500, 0, playing, watching, false, {}, false, 1);
    return m_model->findUser(nickname);
}

void TestLobbyModel::addMe(const QString& place)
{
    if (place == QLatin1String("none"))
        return;
    addUser(QStringLiteral("me"), place == QLatin1String("plays"),
            place == QLatin1String("watches"));
    m_model->setMe(QStringLiteral("me"));
}

void TestLobbyModel::addUserReplacesRecord()
{
    QSignalSpy removed(m_model.get(), &LobbyModel::userRemoved);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("old.example"));
    m_model->updateUser(QStringLiteral("Ann"), 1800, 5, 0, 0, true, {}, true, 3);
    const UserInfo* again = m_model->addUser(QStringLiteral("Ann"), QStringLiteral("new.example"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->users().size(), 1);
    QCOMPARE(again->matchText(), QStringLiteral("Ann@new.example"));
    QCOMPARE(QList<int>({again->rating, again->level, again->games}), QList<int>({1500, 1, 0}));
    QVERIFY(!again->member && !again->admin);
    // Nicknames are case-sensitive keys.
    QVERIFY(!m_model->findUser(QStringLiteral("ann")));
}

void TestLobbyModel::updateUser_data()
{
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("watching");
    QTest::addColumn<int>("gameId");
    QTest::addColumn<bool>("observer");

    QTest::addRow("in no game") << 0 << 0 << 0 << false;
    QTest::addRow("plays") << 12 << 0 << 12 << false;
    QTest::addRow("watches") << 0 << 12 << 12 << true;
    QTest::addRow("unknown games") << 98 << 99 << 0 << false;
    QTest::addRow("plays unknown, watches known") << 98 << 12 << 12 << true;
}

void TestLobbyModel::updateUser()
{
    QFETCH(int, playing);
    QFETCH(int, watching);
    addGame(12);
    addUser(QStringLiteral("Ann"));
    QSignalSpy changed(m_model.get(), &LobbyModel::userChanged);
    QSignalSpy buttons(m_model.get(), &LobbyModel::buttonsChanged);
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, playing, watching, true,
                        QStringLiteral(":-)"), false, 4);
    const UserInfo* user = m_model->findUser(QStringLiteral("Ann"));
    QTEST(user->gameId, "gameId");
    QTEST(user->observer, "observer");
    QCOMPARE(QList<int>({user->rating, user->games, user->level}), QList<int>({1720, 33, 4}));
    QVERIFY(user->member && !user->admin);
    QCOMPARE(m_model->members(), QList<const UserInfo*>{user});
    QCOMPARE(m_model->usersInGame(12).size(), user->gameId == 12 ? 1 : 0);
    QCOMPARE(changed.count(), 1);
    // Neither the membership nor the game is shown in the user's row.
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, 0, 12, false, QStringLiteral(":-)"), false,
                        4);
    QCOMPARE(changed.count(), 1);
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, 0, 12, false, {}, false, 4);
    QCOMPARE(changed.count(), 2);
    // The buttons may depend on where the user is, so they are always asked;
    // an unknown nickname asks nothing.
    QCOMPARE(buttons.count(), 3);
    m_model->updateUser(QStringLiteral("Nobody"), 1, 1, 0, 0, false, {}, false, 1);
    QCOMPARE(buttons.count(), 3);
}

void TestLobbyModel::removalsAndClear()
{
    addGame(12);
    addGame(13);
    const UserInfo* ann = addUser(QStringLiteral("Ann"), 0, 12);
    const UserInfo* bob = addUser(QStringLiteral("Bob"), 13);
    addUser(QStringLiteral("carl"), 13);
    QCOMPARE(m_model->users().first()->nickname, QStringLiteral("Ann"));
    QCOMPARE(m_model->games().first()->id, 12);
    m_model->removeGame(12);
    QVERIFY(!m_model->findGame(12) && m_model->usersInGame(12).isEmpty());
    QCOMPARE(ann->gameId, 0);
    QVERIFY(!ann->observer);
    QCOMPARE(bob->gameId, 13);
    QCOMPARE(m_model->usersInGame(13).size(), 2);

    m_model->setMe(QStringLiteral("Bob"));
    m_model->removeUser(QStringLiteral("Bob"));
    QVERIFY(!m_model->me());
    // A later record of the same nickname is the own user again.
    m_model->addUser(QStringLiteral("Bob"), QStringLiteral("h"));
    QCOMPARE(m_model->me(), m_model->findUser(QStringLiteral("Bob")));

    m_model->insertMask(QStringLiteral("*"), LobbyModel::FriendType);
    QSignalSpy cleared(m_model.get(), &LobbyModel::cleared);
    m_model->clear();
    QCOMPARE(cleared.count(), 1);
    QVERIFY(m_model->users().isEmpty() && m_model->games().isEmpty());
    QVERIFY(m_model->masks().isEmpty());
    QVERIFY(!addUser(QStringLiteral("Bob"))->isFriend);
    QVERIFY(!m_model->me());
}

void TestLobbyModel::gameCells()
{
    GameRecord record;
    // Players, ghosts, robots, observers, in this order.
    const auto seats = [&record] {
        return record.seatIcons().join(QLatin1Char(' ')).remove(QStringLiteral("Icons/"));
    };
    record.update({}, false, 3, 4, 1, 1);
    QCOMPARE(seats(), QStringLiteral("Player.png Player.png Ghost.png Robot.png Observer.png"));
    record.update({}, false, 0, 0, 0, 0);
    QVERIFY(record.seatIcons().isEmpty());
    QCOMPARE(record.optionIcons(), QStringList{QStringLiteral("Icons/TimerMode1.png")});
    record.options.timerMode = 7;
    QCOMPARE(record.optionIcons(), QStringList{QStringLiteral("Icons/TimerMode3.png")});
    record.options.timerMode = 1;
    // The flags' pictures come from a table: two of its rows, in its order,
    // before the timer's.
    record.options.noRobots = record.options.capitals = true;
    QCOMPARE(record.optionIcons(),
             (QStringList{QStringLiteral("Icons/Capitals.png"), QStringLiteral("Icons/NoBots.png"),
                          QStringLiteral("Icons/TimerMode2.png")}));

    record.options.timeout = 0;
    QVERIFY(record.timeoutText().isEmpty() && record.ratingText().isEmpty());
    record.options.timeout = 90;
    record.options.maxRating = 1600;
    QCOMPARE(record.timeoutText(), QStringLiteral("01:30"));
    QVERIFY(record.ratingText().isEmpty());
    record.options.minRating = 1200;
    QCOMPARE(record.ratingText(), QStringLiteral("1200 - 1600"));
    QCOMPARE(GameRecord::mapTextFor(QStringLiteral("Isles"), QStringLiteral("Bob")),
             QStringLiteral("Isles by Bob"));

    // Once running, a game keeps its picture; the stored flag follows the
    // server.
    addGame(1);
    const GameRecord* game = m_model->findGame(1);
    QCOMPARE(game->statusIcon(), QStringLiteral("Icons/Waiting.png"));
    m_model->updateGame(1, QStringLiteral("Ann"), true, 2, 2, 0, 0);
    m_model->updateGame(1, QStringLiteral("Ann"), false, 2, 2, 0, 0);
    QVERIFY(!game->running);
    QCOMPARE(game->statusIcon(), QStringLiteral("Icons/Running.png"));
    QVERIFY(!m_model->updateGame(2, QStringLiteral("Ann"), true, 2, 2, 0, 0));
}

void TestLobbyModel::buttons_data()
{
    // me: none, free (in no game), plays or watches (game 1); chosenGame:
    // none, mine (1), waiting (2), running (3) or full (4); chosenUser:
    // none, player or observer of game 1, or other (in game 2). The result
    // is Join, Watch, Kick and New as 1 or 0.
    QTest::addColumn<QString>("me");
    QTest::addColumn<bool>("myGameRunning");
    QTest::addColumn<bool>("iOperate");
    QTest::addColumn<QString>("chosenGame");
    QTest::addColumn<QString>("chosenUser");
    QTest::addColumn<QString>("result");

    const auto row = [](const char* name, const char* me, bool running, bool operates,
                        const char* game, const char* user, const char* result) {
        QTest::newRow(name) << QString::fromLatin1(me) << running << operates
                            << QString::fromLatin1(game) << QString::fromLatin1(user)
                            << QString::fromLatin1(result);
    };
    row("no own record", "none", false, false, "waiting", "player", "0000");
    row("free, nothing chosen", "free", false, false, "none", "none", "0001");
    row("free, waiting game", "free", false, false, "waiting", "none", "1101");
    row("free, running game", "free", false, false, "running", "none", "0101");
    row("free, full game", "free", false, false, "full", "none", "0101");
    row("watching running, joins waiting", "watches", true, false, "waiting", "none", "1101");
    row("playing running is bound", "plays", true, false, "waiting", "none", "0000");
    row("playing waiting, joins other", "plays", false, false, "waiting", "none", "1101");
    row("operator waiting, kicks player", "plays", false, true, "mine", "player", "1111");
    row("operator running, player", "plays", true, true, "none", "player", "0000");
    row("operator running, observer", "plays", true, true, "none", "observer", "0010");
    row("operator, user of other game", "plays", false, true, "none", "other", "0001");
    row("not operator, player", "plays", false, false, "none", "player", "0001");
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
    addMe(me);
    const QStringList games = {QStringLiteral("none"), QStringLiteral("mine"),
                               QStringLiteral("waiting"), QStringLiteral("running"),
                               QStringLiteral("full")};
    const UserInfo* user = addUser(QStringLiteral("other"),
                                   chosenUser == QLatin1String("player")  ? 1
                                   : chosenUser == QLatin1String("other") ? 2
                                                                          : 0,
                                   chosenUser == QLatin1String("observer"));
    const LobbyButtons result =
        m_model->buttons(m_model->findGame(games.indexOf(chosenGame)),
                         chosenUser == QLatin1String("none") ? nullptr : user);
    QString bits;
    for (const bool on : {result.join, result.watch, result.kick, result.newGame})
        bits += on ? QLatin1Char('1') : QLatin1Char('0');
    QTEST(bits, "result");
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

    QTest::addRow("enters as player") << "me" << 0 << 12 << 0 << true << 12;
    QTest::addRow("enters as observer") << "me" << 0 << 0 << 12 << true << 12;
    QTest::addRow("playing to watching the same game") << "me" << 12 << 0 << 12 << false << 0;
    QTest::addRow("leaves") << "me" << 12 << 0 << 0 << true << 0;
    QTest::addRow("unknown games count as leaving") << "me" << 12 << 98 << 99 << true << 0;
    QTest::addRow("same nickname in other case") << "ME" << 0 << 12 << 0 << false << 0;
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
    addUser(QStringLiteral("me"), from);
    m_model->setMe(QStringLiteral("me"));
    const std::optional<const GameRecord*> move = m_model->ownMove(nickname, playing, watching);
    QCOMPARE(move.has_value(), moves);
    if (move)
        QCOMPARE(*move, m_model->findGame(to));
}

void TestLobbyModel::operatorButtons_data()
{
    // The own user plays in game 12 (minHumans 2) unless "inGame" is false;
    // "op" is the game's operator. When the rules apply, Start and Robot
    // follow the rules library, whose tests hold their limits.
    QTest::addColumn<bool>("inGame");
    QTest::addColumn<QString>("op");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("players");
    QTest::addColumn<bool>("applies");
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("robot");

    QTest::addRow("two humans") << true << "me" << false << 2 << true << true << true;
    QTest::addRow("running") << true << "me" << true << 3 << true << false << true;
    QTest::addRow("full") << true << "me" << false << 6 << true << true << false;
    QTest::addRow("operator outside his game")
        << false << "me" << false << 2 << true << true << true;
    QTest::addRow("in the game, not operator")
        << true << "Other" << false << 2 << true << false << false;
    QTest::addRow("another's game") << false << "Zed" << false << 2 << false << false << false;
}

void TestLobbyModel::operatorButtons()
{
    QFETCH(bool, inGame);
    QFETCH(QString, op);
    QFETCH(bool, running);
    QFETCH(int, players);
    QFETCH(bool, applies);
    addGame(12, players, running, op, 2);
    QVERIFY(!m_model->operatorButtons(*m_model->findGame(12)));
    addUser(QStringLiteral("me"), inGame ? 12 : 0);
    m_model->setMe(QStringLiteral("me"));
    const std::optional<OperatorButtons> buttons = m_model->operatorButtons(*m_model->findGame(12));
    QCOMPARE(buttons.has_value(), applies);
    if (buttons) {
        QTEST(buttons->start, "start");
        QTEST(buttons->robot, "robot");
    }
}

void TestLobbyModel::entryRequests_data()
{
    // The own user's place and the game asked for; game 1 runs as "running"
    // says.
    QTest::addColumn<QString>("me");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("id");
    QTest::addColumn<EntryRequest>("join");
    QTest::addColumn<EntryRequest>("watch");

    const auto none = EntryRequest::None;
    const auto enter = EntryRequest::Enter;
    const auto part = EntryRequest::PartThenEnter;
    QTest::addRow("unknown own user") << "none" << false << 2 << none << none;
    QTest::addRow("in no game") << "free" << false << 2 << enter << enter;
    QTest::addRow("player of a waiting game, other game") << "plays" << false << 2 << part << part;
    QTest::addRow("player of a waiting game, same game") << "plays" << false << 1 << none << part;
    QTest::addRow("player of a running game") << "plays" << true << 2 << none << none;
    QTest::addRow("observer, other game") << "watches" << true << 2 << part << part;
    QTest::addRow("observer joins the game he watches") << "watches" << true << 1 << part << none;
}

void TestLobbyModel::entryRequests()
{
    QFETCH(QString, me);
    QFETCH(bool, running);
    QFETCH(int, id);
    addGame(1, 2, running);
    addGame(2);
    addMe(me);
    QTEST(m_model->joinRequest(id), "join");
    QTEST(m_model->watchRequest(id), "watch");
}

void TestLobbyModel::loginFailures()
{
    // The texts come from a table; one row of it, the codes that ask for a
    // new registration, and a code the table lacks.
    QCOMPARE(LoginFailure::forCode(5).text, QStringLiteral("Login failed: wrong password"));
    for (int code = -1; code <= 7; ++code)
        QCOMPARE(LoginFailure::forCode(code).registration, code == 2 || code == 4);
    for (int code : {-1, 6})
        QCOMPARE(LoginFailure::forCode(code).text, QStringLiteral("Logon failed"));
}

void TestLobbyModel::wildcard_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    // Slashes, backslashes, dots and brackets are ordinary characters of a
    // name, and the pattern covers the whole "nickname@host".
    const auto row = [](const char* name, const char* pattern, const char* text, bool matches) {
        QTest::newRow(name) << QString::fromUtf8(pattern) << QString::fromUtf8(text) << matches;
    };
    row("star over a slash and a line break", "*", "a/\nb@h", true);
    row("question mark for a backslash", "a?b@*", "a\\b@h", true);
    row("set of slash and backslash", "a[/\\]b@h", "a\\b@h", true);
    row("negated set refuses its slash", "a[!/]b@h", "a/b@h", false);
    row("range ignores case", "[a-c]@h", "B@h", true);
    row("dash at the end of a set", "[a-]@h", "-@h", true);
    row("bracket first in a set", "[]x]@h", "]@h", true);
    row("unclosed bracket is itself", "[x@h", "[x@h", true);
    row("regular expression syntax is literal", "(a|b)+@h", "(a|b)+@h", true);
    row("backslash escapes nothing", "a\\*@h", "a\\xyz@h", true);
    row("prefix only", "Ann@ann", "Ann@ann.example.org", false);
    row("other case", "ANN@*.EXAMPLE.ORG", "Ann@ann.example.org", true);
    row("non-Latin letters ignore case", "ÄNN@*", "änn@h", true);
}

void TestLobbyModel::wildcard()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QCOMPARE(wildcardMatches(pattern, text), matches);
    // The model matches a user's "nickname@host" the same way.
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    const UserInfo* user = addUser(text.left(at), 0, 0, text.mid(at + 1));
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    m_model->insertMask(pattern, LobbyModel::FriendType);
    QCOMPARE(user->isFriend, matches);
    QCOMPARE(friends.count(), matches ? 1 : 0);
}

void TestLobbyModel::maskList()
{
    addUser(QStringLiteral("Ann"), 0, 0, QStringLiteral("x.example"));
    QSignalSpy added(m_model.get(), &LobbyModel::maskAdded);
    m_model->insertMask(QStringLiteral("*@x.example"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*@X.EXAMPLE"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("   "), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*"), QStringLiteral("Friend"));
    QCOMPARE(added.count(), 1);
    QCOMPARE(m_model->masks(),
             (QList<LobbyModel::Mask>{{LobbyModel::EnemyType, QStringLiteral("*@x.example")}}));
    // The same pattern as the other kind is a mask of its own.
    m_model->insertMask(QStringLiteral("  *@x.example "), LobbyModel::FriendType);
    QCOMPARE(added.count(), 2);
    const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
    QVERIFY(ann->isFriend && ann->isEnemy);

    QSignalSpy removed(m_model.get(), &LobbyModel::maskRemoved);
    m_model->removeMask(QStringLiteral("*@y.example"), LobbyModel::FriendType);
    QVERIFY(removed.isEmpty());
    m_model->removeMask(QStringLiteral("*@x.example"), LobbyModel::EnemyType);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->masks(),
             (QList<LobbyModel::Mask>{{LobbyModel::FriendType, QStringLiteral("*@x.example")}}));
    QVERIFY(ann->isFriend && !ann->isEnemy);
}

void TestLobbyModel::masksReclassifyOnlyWhomTheyChange()
{
    m_model->insertMask(QStringLiteral("*@ann.example.org"), LobbyModel::EnemyType);
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    // A new record is classified quietly; the caller stores the result.
    for (const char* nickname : {"carl", "Bob", "Ann"})
        addUser(QLatin1String(nickname), 0, 0,
                QLatin1String(nickname == QByteArray("Ann") ? "ann.example.org" : "bob.org"));
    QVERIFY(m_model->findUser(QStringLiteral("Ann"))->isEnemy);
    QVERIFY(enemies.isEmpty());

    m_model->insertMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("*@ann.example.org"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    friends.clear();
    enemies.clear();
    // Ann is still matched by another mask of the kind, and a mask of the
    // other kind changes no friend.
    m_model->removeMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::FriendType);
    QVERIFY(friends.isEmpty() && enemies.isEmpty());
    m_model->removeMask(QStringLiteral("*@ann.example.org"), LobbyModel::FriendType);
    QCOMPARE(friends, (QList<QVariantList>{{QStringLiteral("Ann"), false}}));
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    QCOMPARE(nicknames(enemies), (QStringList{QStringLiteral("Bob"), QStringLiteral("carl")}));

    // A single star makes everyone a friend, in the list's order.
    m_model->insertMask(QStringLiteral("  *  "), LobbyModel::FriendType);
    QCOMPARE(nicknames(friends).mid(1),
             (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("carl")}));
    QCOMPARE(m_model->masks().last().pattern, QStringLiteral("*"));
}

QTEST_GUILESS_MAIN(TestLobbyModel)
#include "tst_lobbymodel.moc"
