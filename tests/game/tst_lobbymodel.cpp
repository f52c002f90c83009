#include "lobbymodel.h"
#include "wildcard.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Where the own user is: no record, in no game, or player or observer of
// game 1.
enum Place { Nowhere, Free, Plays, Watches };

// The own user's place; game 1 running, operated by the own user and its
// players; the game chosen (0: none; 2 waits, 3 runs, 4 is full) and the
// user chosen (0: none, 'p'layer or 'o'bserver of game 1, 'x' in game 2).
// Then Join, Watch, Kick and New as 1 or 0; what Join and Watch of the
// chosen game send (Enter, Part first, None; empty: not asked); and Start
// and Robot of game 1 for the own user ("-": not his to operate).
struct RuleRow
{
    const char* name;
    Place me;
    bool running, operates;
    int players, game;
    char user;
    const char *buttons, *entry, *operatorButtons;
};

QStringList nicknames(const QList<QVariantList>& spy)
{
    QStringList list;
    for (const QVariantList& arguments : spy)
        list << arguments.at(0).toString();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(RuleRow)

// The lobby's model without a window: records, the own user's moves, the
// button rules, what Join and Watch send, and the masks.
class TestLobbyModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_model = std::make_unique<LobbyModel>(); }

    void records();
    void updateUser();
    void gameCells();

    void rules_data();
    void rules();
    void ownMove();
    void loginFailures();

    void wildcard();
    void masks();

private:
    void addGame(int id, int players = 0, bool running = false,
                 const QString& op = QStringLiteral("boss"), int minHumans = 1);
    const UserInfo* addUser(const QString& nickname, int playing = 0, int watching = 0,
                            const QString& host = QStringLiteral("h"));
    void addMe(Place place);

    std::unique_ptr<LobbyModel> m_model;
};

void TestLobbyModel::addGame(int id, int players, bool running, const QString& op, int minHumans)
{
    GameRecord record;
    record.id = id;
    record.options.minHumans = minHumans;
    m_model->addGame(record);
    m_model->updateGame(id, op, running, players, players, 0, 0);
}

const UserInfo* TestLobbyModel::addUser(const QString& nickname, int playing, int watching,
                                        const QString& host)
{
    m_model->addUser(nickname, host);
    m_model->updateUser(nickname, 1500, 0, playing, watching, false, {}, false, 1);
    return m_model->findUser(nickname);
}

void TestLobbyModel::addMe(Place place)
{
    if (place == Nowhere)
        return;
    addUser(QStringLiteral("me"), place == Plays, place == Watches);
    m_model->setMe(QStringLiteral("me"));
}

void TestLobbyModel::records()
{
    // A second record of a nickname replaces the first from scratch.
    QSignalSpy removed(m_model.get(), &LobbyModel::userRemoved);
    m_model->addUser(QStringLiteral("Ann"), QStringLiteral("old.example"));
    m_model->updateUser(QStringLiteral("Ann"), 1800, 5, 0, 0, true, {}, true, 3);
    const UserInfo* ann = m_model->addUser(QStringLiteral("Ann"), QStringLiteral("new.example"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(m_model->users().size(), 1);
    QCOMPARE(ann->matchText(), QStringLiteral("Ann@new.example"));
    QCOMPARE(QList<int>({ann->rating, ann->level, ann->games}), QList<int>({1500, 1, 0}));
    QVERIFY(!ann->member && !ann->admin);
    QVERIFY(!m_model->findUser(QStringLiteral("ann")));

    // A game's end puts its users in no game.
    addGame(12);
    addGame(13);
    m_model->updateUser(QStringLiteral("Ann"), 1500, 0, 0, 12, false, {}, false, 1);
    const UserInfo* bob = addUser(QStringLiteral("Bob"), 13);
    addUser(QStringLiteral("carl"), 13);
    QCOMPARE(m_model->games().first()->id, 12);
    m_model->removeGame(12);
    QVERIFY(!m_model->findGame(12) && m_model->usersInGame(12).isEmpty());
    QVERIFY(ann->gameId == 0 && !ann->observer);
    QCOMPARE(bob->gameId, 13);
    QCOMPARE(m_model->usersInGame(13).size(), 2);

    // A later record of the own nickname is the own user again.
    m_model->setMe(QStringLiteral("Bob"));
    m_model->removeUser(QStringLiteral("Bob"));
    QVERIFY(!m_model->me());
    m_model->addUser(QStringLiteral("Bob"), QStringLiteral("h"));
    QCOMPARE(m_model->me(), m_model->findUser(QStringLiteral("Bob")));

    m_model->insertMask(QStringLiteral("*"), LobbyModel::FriendType);
    QSignalSpy cleared(m_model.get(), &LobbyModel::cleared);
    m_model->clear();
    QCOMPARE(cleared.count(), 1);
    QVERIFY(m_model->users().isEmpty() && m_model->games().isEmpty() && m_model->masks().isEmpty());
    QVERIFY(!addUser(QStringLiteral("Bob"))->isFriend);
    QVERIFY(!m_model->me());
}

void TestLobbyModel::updateUser()
{
    addGame(12);
    addUser(QStringLiteral("Ann"));
    // The games announced as played and watched, and where the user is: in
    // the game played if it is known, else in the game watched if known.
    const QList<std::array<int, 4>> places = {
        {12, 0, 12, 0}, {0, 12, 12, 1}, {98, 99, 0, 0}, {98, 12, 12, 1}};
    for (const auto& [playing, watching, gameId, observer] : places) {
        m_model->updateUser(QStringLiteral("Ann"), 1500, 0, playing, watching, false, {}, false, 1);
        const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
        QCOMPARE(ann->gameId, gameId);
        QCOMPARE(ann->observer, bool(observer));
        QCOMPARE(m_model->usersInGame(12).size(), gameId == 12 ? 1 : 0);
    }

    QSignalSpy changed(m_model.get(), &LobbyModel::userChanged);
    QSignalSpy buttons(m_model.get(), &LobbyModel::buttonsChanged);
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, 0, 12, true, QStringLiteral(":-)"), false,
                        4);
    const UserInfo* user = m_model->findUser(QStringLiteral("Ann"));
    QCOMPARE(QList<int>({user->rating, user->games, user->level}), QList<int>({1720, 33, 4}));
    QVERIFY(user->member && !user->admin);
    QCOMPARE(m_model->members(), QList<const UserInfo*>{user});
    QCOMPARE(changed.count(), 1);
    // Neither the membership nor the game is shown in the user's row; the
    // smilie is.
    m_model->updateUser(QStringLiteral("Ann"), 1720, 33, 12, 0, false, QStringLiteral(":-)"), false,
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

void TestLobbyModel::gameCells()
{
    GameRecord record;
    // Players, ghosts, robots, observers, in this order.
    record.update({}, false, 3, 4, 1, 1);
    QCOMPARE(record.seatIcons().join(QLatin1Char(' ')).remove(QStringLiteral("Icons/")),
             QStringLiteral("Player.png Player.png Ghost.png Robot.png Observer.png"));
    // The flags' pictures come from a table: two of its rows, in its order,
    // before the timer's.
    record.options.timerMode = 1;
    record.options.noRobots = record.options.capitals = true;
    QCOMPARE(record.optionIcons().join(QLatin1Char(' ')).remove(QStringLiteral("Icons/")),
             QStringLiteral("Capitals.png NoBots.png TimerMode2.png"));

    record.options.timeout = 0;
    QVERIFY(record.timeoutText().isEmpty() && record.ratingText().isEmpty());
    record.options.timeout = 90;
    record.options.maxRating = 1600;
    QCOMPARE(record.timeoutText(), QStringLiteral("01:30"));
    QVERIFY(record.ratingText().isEmpty());
    record.options.minRating = 1200;
    QCOMPARE(record.ratingText(), QStringLiteral("1200 - 1600"));

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

void TestLobbyModel::rules_data()
{
    const RuleRow rows[] = {
        {"no own record", Nowhere, false, false, 3, 2, 'p', "0000", "NN", "-"},
        {"free, nothing chosen", Free, false, false, 3, 0, 0, "0001", "", "-"},
        {"free, waiting game", Free, false, false, 3, 2, 0, "1101", "EE", "-"},
        {"free, running game", Free, false, false, 3, 3, 0, "0101", "EE", "-"},
        {"free, full game", Free, false, false, 3, 4, 0, "0101", "EE", "-"},
        {"operator outside his game", Free, false, true, 2, 2, 0, "1101", "EE", "11"},
        {"watching running, joins waiting", Watches, true, false, 3, 2, 0, "1101", "PP", "00"},
        {"observer joins the game he watches", Watches, true, false, 3, 1, 0, "0101", "PN", "00"},
        {"playing running is bound", Plays, true, false, 3, 2, 0, "0000", "NN", "00"},
        {"playing waiting, joins other", Plays, false, false, 3, 2, 0, "1101", "PP", "00"},
        {"playing waiting, joins his own", Plays, false, false, 3, 1, 0, "1101", "NP", "00"},
        {"operator waiting, kicks player", Plays, false, true, 3, 1, 'p', "1111", "NP", "11"},
        {"operator running, player", Plays, true, true, 3, 0, 'p', "0000", "", "01"},
        {"operator running, observer", Plays, true, true, 3, 0, 'o', "0010", "", "01"},
        {"operator, user of other game", Plays, false, true, 3, 0, 'x', "0001", "", "11"},
        {"operator of a full game", Plays, false, true, 6, 0, 0, "0001", "", "10"},
        {"not operator, player", Plays, false, false, 3, 0, 'p', "0001", "", "00"},
    };
    QTest::addColumn<RuleRow>("row");
    for (const RuleRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestLobbyModel::rules()
{
    QFETCH(RuleRow, row);
    addGame(1, row.players, row.running,
            row.operates ? QStringLiteral("me") : QStringLiteral("boss"), 2);
    addGame(2, 3);
    addGame(3, 3, true);
    addGame(4, 6);
    addMe(row.me);
    const UserInfo* user = addUser(QStringLiteral("other"),
                                   row.user == 'p'   ? 1
                                   : row.user == 'x' ? 2
                                                     : 0,
                                   row.user == 'o');
    const LobbyButtons buttons =
        m_model->buttons(m_model->findGame(row.game), row.user ? user : nullptr);
    QByteArray bits;
    for (const bool on : {buttons.join, buttons.watch, buttons.kick, buttons.newGame})
        bits += on ? '1' : '0';
    QCOMPARE(bits, QByteArray(row.buttons));

    if (*row.entry) {
        const auto letter = [](EntryRequest r) {
            return r == EntryRequest::Enter ? 'E' : r == EntryRequest::PartThenEnter ? 'P' : 'N';
        };
        const QByteArray requests = QByteArray() + letter(m_model->joinRequest(row.game)) +
                                    letter(m_model->watchRequest(row.game));
        QCOMPARE(requests, QByteArray(row.entry));
    }

    // Start and Robot follow the rules library, whose tests hold the limits.
    const std::optional<OperatorButtons> op = m_model->operatorButtons(*m_model->findGame(1));
    QByteArray opBits("-");
    if (op)
        opBits = QByteArray(op->start ? "1" : "0") + (op->robot ? "1" : "0");
    QCOMPARE(opBits, QByteArray(row.operatorButtons));
}

void TestLobbyModel::ownMove()
{
    QVERIFY(!m_model->ownMove(QStringLiteral("me"), 12, 0));
    addGame(12);
    addGame(13);
    // From game 12 (or none) by the playing and watching games announced,
    // to the game given (-1: no move).
    const QList<std::array<int, 4>> rows = {
        {0, 12, 0, 12}, {0, 0, 12, 12}, {12, 0, 12, -1}, {12, 0, 0, 0}};
    for (const auto& [from, playing, watching, to] : rows) {
        addUser(QStringLiteral("me"), from);
        m_model->setMe(QStringLiteral("me"));
        const std::optional<const GameRecord*> move =
            m_model->ownMove(QStringLiteral("me"), playing, watching);
        QCOMPARE(move.has_value(), to >= 0);
        if (move)
            QCOMPARE(*move, m_model->findGame(to));
    }
    // Nicknames are compared exactly.
    QVERIFY(!m_model->ownMove(QStringLiteral("ME"), 13, 0));
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

void TestLobbyModel::wildcard()
{
    // Slashes, backslashes, dots and brackets are ordinary characters of a
    // name, and the pattern covers the whole "nickname@host".
    const struct
    {
        const char *pattern, *text;
        bool matches;
    } rows[] = {
        {"*", "a/\nb@h", true},                    // a star over a slash and a line break
        {"a?b@*", "a\\b@h", true},                 // a question mark for a backslash
        {"a[!/]b@h", "a/b@h", false},              // a negated set refuses its slash
        {"[a-c]@h", "B@h", true},                  // a range ignores case
        {"[a-]@h", "-@h", true},                   // a dash at the end of a set
        {"[]x]@h", "]@h", true},                   // a bracket first in a set
        {"[x@h", "[x@h", true},                    // an unclosed bracket is itself
        {"(a|b)+@h", "(a|b)+@h", true},            // regular expression syntax is literal
        {"a\\*@h", "a\\xyz@h", true},              // a backslash escapes nothing
        {"Ann@ann", "Ann@ann.example.org", false}, // the whole text, not a prefix
        {"ÄNN@*", "änn@h", true},                  // non-Latin letters ignore case
    };
    for (const auto& row : rows) {
        QVERIFY2(wildcardMatches(QString::fromUtf8(row.pattern), QString::fromUtf8(row.text)) ==
                     row.matches,
                 row.pattern);
    }
}

void TestLobbyModel::masks()
{
    // A new record is classified quietly; the caller stores the result.
    m_model->insertMask(QStringLiteral("*@ann.example.org"), LobbyModel::EnemyType);
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    for (const char* nickname : {"carl", "Bob", "Ann"})
        addUser(QLatin1String(nickname), 0, 0,
                QLatin1String(nickname == QByteArray("Ann") ? "ann.example.org" : "bob.org"));
    const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
    QVERIFY(ann->isEnemy);
    QVERIFY(enemies.isEmpty());

    // Patterns are kept once whatever their case, blanks and unknown kinds
    // not at all; the same pattern as the other kind is a mask of its own.
    QSignalSpy added(m_model.get(), &LobbyModel::maskAdded);
    m_model->insertMask(QStringLiteral("*@ANN.example.org"), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("   "), LobbyModel::EnemyType);
    m_model->insertMask(QStringLiteral("*"), QStringLiteral("Friend"));
    m_model->insertMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("  *@ann.example.org "), LobbyModel::FriendType);
    m_model->insertMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    QCOMPARE(added.count(), 3);
    QVERIFY(ann->isFriend && ann->isEnemy);
    friends.clear();
    enemies.clear();

    // Ann is still matched by another mask of the kind, and a mask of the
    // other kind or one never added changes no friend.
    QSignalSpy removed(m_model.get(), &LobbyModel::maskRemoved);
    m_model->removeMask(QStringLiteral("Ann@*"), LobbyModel::FriendType);
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::FriendType);
    m_model->removeMask(QStringLiteral("*@y.example"), LobbyModel::FriendType);
    QVERIFY(friends.isEmpty() && enemies.isEmpty());
    QCOMPARE(removed.count(), 1);
    m_model->removeMask(QStringLiteral("*@ann.example.org"), LobbyModel::FriendType);
    QCOMPARE(friends, (QList<QVariantList>{{QStringLiteral("Ann"), false}}));
    m_model->removeMask(QStringLiteral("*.org"), LobbyModel::EnemyType);
    QCOMPARE(nicknames(enemies), (QStringList{QStringLiteral("Bob"), QStringLiteral("carl")}));
    QCOMPARE(m_model->masks(), (QList<LobbyModel::Mask>{
                                   {LobbyModel::EnemyType, QStringLiteral("*@ann.example.org")}}));

    // A single star makes everyone a friend, in the list's order.
    m_model->insertMask(QStringLiteral("  *  "), LobbyModel::FriendType);
    QCOMPARE(nicknames(friends).mid(1),
             (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("carl")}));
    QCOMPARE(m_model->masks().last().pattern, QStringLiteral("*"));
}

QTEST_GUILESS_MAIN(TestLobbyModel)
#include "tst_lobbymodel.moc"
