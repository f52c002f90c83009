#include "barstate.h"
#include "clickhint.h"
#include "gamechronicle.h"
#include "lobbymodel.h"
#include "mapmodel.h"
#include "operatorhints.h"
#include "robotgameplan.h"
#include "robotlevel.h"
#include "robotroster.h"
#include "seattable.h"
#include "turn.h"
#include "turnalert.h"
#include "wildcard.h"

#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

// Where the own user is: nowhere known, free, or in game 1.
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

// Alpha - Beta - Gamma in a row, and Delta apart without an owner.
// Seat 0 owns Alpha and Beta, seat 1 Gamma.
void loadFour(MapModel& model, int id = 7)
{
    model.beginLoading(id, QStringLiteral("Test"));
    model.addContinent(1, QStringLiteral("Land"), 5);
    model.addCountry(1, QStringLiteral("Alpha"), 1, 6, 14, 2, 2, 16, 26);
    model.addCountry(2, QStringLiteral("Beta"), 1, 26, 14, 21, 2, 17, 26);
    model.addCountry(3, QStringLiteral("Gamma"), 1, 46, 14, 41, 2, 17, 26);
    model.addCountry(4, QStringLiteral("Delta"), 1, 66, 14, 61, 2, 17, 26);
    model.addNeighbour(1, 2);
    model.addNeighbour(2, 3);
    model.endLoading();
    model.setCountry(1, 0, 3);
    model.setCountry(2, 0, 3);
    model.setCountry(3, 1, 3);
}

constexpr int Me = 2;
constexpr int Other = 4;
constexpr int Watching = -1;

// Every button and toggle on or off.
BarState all(bool on)
{
    BarState state;
    for (int i = 0; i < BarState::ButtonCount; ++i)
        state = state.withEnabled(BarState::Button(i), on);
    for (int i = 0; i < BarState::ToggleCount; ++i)
        state = state.withToggled(BarState::Toggle(i), on);
    return state;
}

// "1" or "0" per button in their order, a blank, then the four toggles.
QString snapshot(const BarState& state)
{
    QString text;
    for (int i = 0; i < BarState::ButtonCount; ++i)
        text += state.isEnabled(BarState::Button(i)) ? QLatin1Char('1') : QLatin1Char('0');
    text += QLatin1Char(' ');
    for (int i = 0; i < BarState::ToggleCount; ++i)
        text += state.isToggled(BarState::Toggle(i)) ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

void human(SeatTable& seats, int seat, const QString& name)
{
    seats.setPlayer(seat, name, 1500, 1, 0, false, false, false, false);
}

} // namespace

Q_DECLARE_METATYPE(RuleRow)
Q_DECLARE_METATYPE(MapMode)
Q_DECLARE_METATYPE(MapGesture)
Q_DECLARE_METATYPE(TurnStep)
Q_DECLARE_METATYPE(std::optional<MapMode>)
Q_DECLARE_METATYPE(std::optional<BarTurn>)

// The client's core without widgets: the lobby's model (records, the own
// user's moves, the button rules, what Join and Watch send, the masks), the
// map model (loading and storing, what a click means in each mode for the
// local seat, the army target's status line and the signals a board repaints
// from), and the local player's turn (the state machine's steps, the button
// bar's states and the six seats).
class TestGame : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_model = std::make_unique<LobbyModel>(); }

    void records();
    void updateUser();
    void gameCells();
    void hostileGameStatus_data();
    void hostileGameStatus();

    void lobbyRules_data();
    void lobbyRules();
    void ownMove();
    void loginFailures();

    void wildcard();
    void masks();

    void loadingAndReset();
    void storedMapRoundTrips();

    void clicksThatChangeTheModel();
    void editorPressesOnlyOnEditedMaps();

    void placeStatusAndChanges();

    void clickHints_data();
    void clickHints();
    void operatorHints_data();
    void operatorHints();
    void robotPick();
    void robotGamePlan();
    void robotLevels();

    void turnSteps_data();
    void turnSteps();
    void turnTake();

    void barStates_data();
    void barStates();

    void chronicle_data();
    void chronicle();
    void chronicleFigures();
    void turnAlerts();

    void seats();

private:
    void addGame(int id, int players = 0, bool running = false,
                 const QString& op = QStringLiteral("boss"), int minHumans = 1);
    const UserInfo* addUser(const QString& nickname, int playing = 0, int watching = 0,
                            const QString& host = QStringLiteral("h"));
    void addMe(Place place);

    std::unique_ptr<LobbyModel> m_model;
};

void TestGame::addGame(int id, int players, bool running, const QString& op, int minHumans)
{
    GameRecord record;
    record.id = id;
    record.options.minHumans = minHumans;
    m_model->addGame(record);
    m_model->updateGame(id, op, running, players, players, 0, 0);
}

const UserInfo* TestGame::addUser(const QString& nickname, int playing, int watching,
                                  const QString& host)
{
    m_model->addUser(nickname, host);
    m_model->updateUser(nickname, 1500, 0, playing, watching, false, {}, false, 1);
    return m_model->findUser(nickname);
}

void TestGame::addMe(Place place)
{
    if (place == Nowhere)
        return;
    addUser(QStringLiteral("me"), place == Plays, place == Watches);
    m_model->setMe(QStringLiteral("me"));
}

void TestGame::records()
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
    m_model->removeGame(12);
    QVERIFY(!m_model->findGame(12) && m_model->usersInGame(12).isEmpty());
    QVERIFY(ann->gameId == 0 && !ann->observer);
    QCOMPARE(bob->gameId, 13);
    QCOMPARE(m_model->usersInGame(13).size(), 2);

    // The login's nickname is exact, and a logout keeps it.
    m_model->setOwnNickname(QStringLiteral("Bob"));
    QVERIFY(m_model->isOwnNickname(QStringLiteral("Bob")));
    QVERIFY(!m_model->isOwnNickname(QStringLiteral("bob")));

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
    QCOMPARE(m_model->ownNickname(), QStringLiteral("Bob"));
}

void TestGame::updateUser()
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

void TestGame::gameCells()
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

    // No timeout and one bound only show nothing.
    record.options.timeout = 0;
    record.options.maxRating = 1600;
    QVERIFY(record.timeoutText().isEmpty() && record.ratingText().isEmpty());
    record.options.timeout = 90;
    record.options.minRating = 1200;
    QCOMPARE(record.timeoutText(), QStringLiteral("01:30"));
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

void TestGame::hostileGameStatus_data()
{
    QTest::addColumn<QList<int>>("status"); // clients, players, robots, disconnected
    QTest::addColumn<QString>("icons");
    QTest::addColumn<int>("counted");

    // A status a server can mean keeps an icon per person.
    QTest::addRow("six observers") << QList<int>{8, 2, 0, 0} << "PPOOOOOO" << 0;
    QTest::addRow("seven observers") << QList<int>{9, 2, 0, 0} << "PPO" << 7;
    QTest::addRow("the most a message can say")
        << QList<int>{(1 << 30) - 1, 6, 2, 1} << "PPPGRRO" << (1 << 30) - 1 - 3;
    QTest::addRow("more seats than a game has") << QList<int>{100, 50, 40, 30} << "RRRRRRO" << 100;
    QTest::addRow("more robots than seats") << QList<int>{0, 3, 9, 9} << "RRR" << 0;
    QTest::addRow("more ghosts than the seats left") << QList<int>{1, 4, 1, 9} << "GGGRO" << 0;
    QTest::addRow("fewer people than human players") << QList<int>{1, 4, 0, 0} << "PPPP" << 0;
    QTest::addRow("negative") << QList<int>{-5, -1, -9, -9} << "" << 0;
}

void TestGame::hostileGameStatus()
{
    QFETCH(QList<int>, status);
    QFETCH(QString, icons);
    QFETCH(int, counted);
    GameRecord record;
    record.update({}, false, status[0], status[1], status[2], status[3]);
    QString letters;
    for (const QString& file : record.seatIcons())
        letters += file.at(6);
    QCOMPARE(letters, icons);
    QCOMPARE(record.observerCount(), counted);
    QVERIFY(record.seatIcons().size() <= GameRecord::MaxPlayers + GameRecord::MaxObserverIcons);
}

void TestGame::lobbyRules_data()
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

void TestGame::lobbyRules()
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

void TestGame::ownMove()
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

void TestGame::loginFailures()
{
    // The texts come from a table; one row of it, the codes that ask for a
    // new registration, and a code the table lacks.
    QCOMPARE(LoginFailure::forCode(5).text, QStringLiteral("Login failed: wrong password"));
    for (int code = -1; code <= 7; ++code)
        QCOMPARE(LoginFailure::forCode(code).registration, code == 2 || code == 4);
    QCOMPARE(LoginFailure::forCode(6).text, QStringLiteral("Logon failed"));
}

void TestGame::wildcard()
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
    };
    for (const auto& row : rows) {
        QVERIFY2(wildcardMatches(QString::fromUtf8(row.pattern), QString::fromUtf8(row.text)) ==
                     row.matches,
                 row.pattern);
    }
}

void TestGame::masks()
{
    // A new record is classified quietly; the caller stores the result.
    m_model->insertMask(QStringLiteral("*@ann.example.org"), LobbyModel::EnemyType);
    QSignalSpy friends(m_model.get(), &LobbyModel::isFriend);
    QSignalSpy enemies(m_model.get(), &LobbyModel::isEnemy);
    for (const char* nickname : {"carl", "Bob", "Ann"})
        addUser(QLatin1String(nickname), 0, 0,
                QLatin1String(nickname == QByteArray("Ann") ? "ann.example.org" : "bob.org"));
    const UserInfo* ann = m_model->findUser(QStringLiteral("Ann"));
    QVERIFY(ann->isEnemy && enemies.isEmpty());

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
    QCOMPARE(enemies, (QList<QVariantList>{{QStringLiteral("Bob"), false},
                                           {QStringLiteral("carl"), false}}));
    QCOMPARE(m_model->masks(), (QList<LobbyModel::Mask>{
                                   {LobbyModel::EnemyType, QStringLiteral("*@ann.example.org")}}));

    // A single star makes everyone a friend, in the list's order.
    m_model->insertMask(QStringLiteral("  *  "), LobbyModel::FriendType);
    QCOMPARE(friends.mid(1), (QList<QVariantList>{{QStringLiteral("Ann"), true},
                                                  {QStringLiteral("Bob"), true},
                                                  {QStringLiteral("carl"), true}}));
    QCOMPARE(m_model->masks().last().pattern, QStringLiteral("*"));
}

void TestGame::loadingAndReset()
{
    MapModel model;
    loadFour(model);
    QCOMPARE(int(model.countries().size()), 4);
    QCOMPARE(model.country(2)->neighbours(), QList<int>({1, 3}));
    // A country needs a known continent and a number the index can hold.
    model.addCountry(5, QStringLiteral("Nowhere"), 9);
    model.addCountry(0, QStringLiteral("Zero"), 1);
    model.addCountry(-2, QStringLiteral("Halo"), 1, 0, 0, 0, 0, 9, 9);
    QCOMPARE(int(model.countries().size()), 4);
    // An existing country stays as it is.
    model.addCountry(1, QStringLiteral("Again"), 1);
    QCOMPARE(model.country(1)->name, QStringLiteral("Alpha"));
    // Neighbours with an unknown country are dropped.
    model.addNeighbour(1, 42);
    QCOMPARE(model.country(1)->neighbours(), QList<int>({2}));

    // The map already shown is not loaded twice.
    model.setMode(MapMode::Attack);
    QVERIFY(!model.beginLoading(7, QStringLiteral("Test")));
    QVERIFY(!model.isLoading());
    QCOMPARE(model.country(1)->armies, 3);
    QCOMPARE(model.mode(), MapMode::Attack);

    model.setHighlighted(2);
    model.setArmyTarget(12);
    model.setLocalSeat(1);
    model.setDoOrDie(true);
    model.pick(MapMode::PickArea, 3);
    model.addLine(1, 2, 3, 4);
    QVERIFY(model.beginLoading(8, QStringLiteral("Other")));
    QVERIFY(model.isLoading());
    QVERIFY(model.countries().empty() && model.continents().empty() && model.lines().empty());
    QCOMPARE(model.mode(), MapMode::Idle);
    QCOMPARE(QList<int>({model.highlighted(), model.picked(), model.armyTarget()}),
             QList<int>({-1, -1, 0}));
    // The seat and the flag belong to the game, not to the map.
    QCOMPARE(model.localSeat(), 1);
    QVERIFY(model.doOrDie());

    // 0 means no map, so it never matches the map shown.
    model.reset();
    QVERIFY(model.beginLoading(0, QStringLiteral("Drawn")));
}

void TestGame::storedMapRoundTrips()
{
    MapData map;
    map.id = 3;
    map.name = QStringLiteral("Isles");
    map.picture = QStringLiteral("europe");
    map.continents = {{1, QStringLiteral("North"), 2}, {4, QStringLiteral("South"), 7}};
    map.countries = {{2, QStringLiteral("Fen"), 1, 10, 20, 5, 6, 30, 40},
                     {5, QStringLiteral("Moor"), 4, 60, 70, 50, 55, 12, 13},
                     {9, QStringLiteral("Tor"), 4, 80, 90, 75, 76, 8, 9}};
    map.neighbours = {{2, 5}, {5, 9}};
    map.lines = {{1, 2, 30, 40}, {7, 3, 2, 9}};

    MapModel model;
    QVERIFY(model.beginLoading(map.id, map.name));
    model.addMap(map);
    model.endLoading();
    QCOMPARE(model.country(5)->owner, -1);

    // Each pair goes out from both sides, grouped by country; lines are kept
    // normalised, the end with the smaller y first.
    MapData expected = map;
    expected.name = QStringLiteral("Copy");
    expected.neighbours = {{2, 5}, {5, 2}, {5, 9}, {9, 5}};
    QCOMPARE(model.toMapData(QStringLiteral("europe"), QStringLiteral("Copy")).toJson(),
             expected.toJson());
    model.addLine(30, 40, 1, 2);
    QCOMPARE(model.toMapData({}, {}).lines.last(), (std::array<int, 4>{1, 2, 30, 40}));
}

void TestGame::clicksThatChangeTheModel()
{
    MapModel model;
    loadFour(model, 0);
    model.pick(MapMode::PickNeighbours, 1);

    QCOMPARE(model.click(3, false), (MapGesture{MapGesture::AddNeighbour, 3, 1}));
    QVERIFY(model.country(1)->isNeighbour(3) && model.country(3)->isNeighbour(1));
    QCOMPARE(model.click(2, false), (MapGesture{MapGesture::RemoveNeighbour, 2, 1}));
    QVERIFY(!model.country(1)->isNeighbour(2) && !model.country(2)->isNeighbour(1));
    QVERIFY(model.country(2)->isNeighbour(3));
    // The picked country is no neighbour of itself, and an unknown pick
    // links nothing.
    QCOMPARE(model.click(1, false).kind, MapGesture::None);
    model.pick(MapMode::PickNeighbours, 42);
    QCOMPARE(model.click(4, false).kind, MapGesture::None);
    QVERIFY(model.country(4)->neighbours().isEmpty());

    // The flag is the one set at the time of the attack, not of the
    // selection.
    model.setLocalSeat(0);
    model.setMode(MapMode::Attack);
    model.click(2, false);
    model.setDoOrDie(true);
    QVERIFY(model.click(3, false).doOrDie);

    // A new capital repaints the old one's label as well.
    model.setMode(MapMode::PickCapital);
    QSignalSpy labels(&model, &MapModel::labelChanged);
    model.click(1, false);
    model.click(2, false);
    QCOMPARE(model.highlighted(), 2);
    QCOMPARE(labels.count(), 3);
    QCOMPARE(labels.at(1).at(0).toInt(), 1);
}

void TestGame::editorPressesOnlyOnEditedMaps()
{
    for (const auto& [mode, editing] :
         {std::pair(MapMode::PaintBorders, true), std::pair(MapMode::PickNeighbours, true),
          std::pair(MapMode::Preview, false)}) {
        MapModel model;
        model.setMode(mode);
        QCOMPARE(model.isEditing(), editing);
        QVERIFY(model.acceptsPresses());
        loadFour(model, 7);
        model.setMode(mode);
        QCOMPARE(model.acceptsPresses(), !editing);
    }
}

void TestGame::placeStatusAndChanges()
{
    MapModel model;
    loadFour(model);
    // Seat 0 owns 6 armies. The mode, the local seat and the army target, and
    // the armies the status asks for (0: no status).
    const std::tuple<MapMode, int, int, int> rows[] = {
        {MapMode::Place, 0, 9, 3},  {MapMode::PlaceInitial, 0, 7, 1}, {MapMode::Place, 0, 6, 0},
        {MapMode::Place, 0, -1, 0}, {MapMode::Attack, 0, 20, 0},      {MapMode::Place, -1, 2, 2}};
    for (const auto& [mode, seat, target, armies] : rows) {
        model.setMode(mode);
        model.setLocalSeat(seat);
        model.setArmyTarget(target);
        QCOMPARE(model.placeStatus(),
                 armies ? QStringLiteral("You should place %1 armies").arg(armies) : QString());
    }

    QSignalSpy changed(&model, &MapModel::countryChanged);
    QSignalSpy changing(&model, &MapModel::labelChanging);
    QVERIFY(!model.setCountry(1, 0, 3));
    QVERIFY(!model.setCountry(42, 0, 3));
    QVERIFY(changed.isEmpty() && changing.isEmpty());
    QVERIFY(model.setCountry(1, 2, 8));
    QCOMPARE(changed.takeFirst(), QVariantList({1, 0, 3}));
    QCOMPARE(changing.count(), 1);
    // Countries without an owner count for nobody.
    model.setCountry(4, -1, 5);
    QCOMPARE(QList<int>({model.armiesOf(2), model.countriesOf(2), model.armiesOf(0),
                         model.countriesOf(0), model.armiesOf(-1), model.countriesOf(-1)}),
             QList<int>({8, 1, 3, 1, 0, 0}));

    // Highlighting a selected country changes nothing; clearing reaches all.
    QSignalSpy labels(&model, &MapModel::labelChanged);
    QSignalSpy cleared(&model, &MapModel::selectionCleared);
    model.highlightCountry(2);
    model.highlightCountry(2);
    model.highlightCountry(42);
    QCOMPARE(labels.count(), 1);
    model.highlightCountry(3);
    model.clearSelection();
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(model.selectedCountry(), nullptr);

    // The editor's label: only for the picked country, with the sample number.
    model.pick(MapMode::PickTextPosition, 4);
    QVERIFY(!model.placeLabel(3, QPoint(1, 1)));
    QVERIFY(model.placeLabel(4, QPoint(70, 20)));
    QCOMPARE(QPoint(model.country(4)->textX, model.country(4)->textY), QPoint(70, 20));
    QCOMPARE(model.country(4)->armies, MapModel::SampleArmies);
    model.placeLabelIfUnset(4, QPoint(9, 9));
    QCOMPARE(model.country(4)->textX, 70);
}

void TestGame::turnSteps_data()
{
    // The mode and the bar's state a step sets (none: unchanged), whether
    // Attack shows pressed in Decide and More, and its lines as "seat: text".
    QTest::addColumn<TurnStep>("step");
    QTest::addColumn<std::optional<MapMode>>("mode");
    QTest::addColumn<std::optional<BarTurn>>("bar");
    QTest::addColumn<bool>("attackStyle");
    QTest::addColumn<QStringList>("lines");

    const auto row = [](const char* name, const TurnStep& step, std::optional<MapMode> mode,
                        std::optional<BarTurn> bar, const QStringList& lines = {},
                        bool attackStyle = false) {
        QTest::newRow(name) << step << mode << bar << attackStyle << lines;
    };
    using M = MapMode;
    using B = BarTurn;
    const std::nullopt_t same = std::nullopt;
    const QString anna = QStringLiteral("Anna");
    const QString alpha = QStringLiteral("Alpha");
    const QString beta = QStringLiteral("Beta");
    const QString received = QStringLiteral("-1: All players receive 30 armies");
    row("init, watching", Turn::init(30, Watching, true, true, 30), M::Idle, same, {received});
    row("init, own game with capitals", Turn::init(30, Me, true, true, 27), M::PickCapital, same,
        {received, QStringLiteral("2: Please pick your capital")});
    row("init, own game without capitals", Turn::init(30, Me, true, false, 27), M::PlaceInitial,
        B::Placing, {received, QStringLiteral("2: You should place 27 armies")});
    row("init, own game not yet known", Turn::init(30, Me, false, false, 27), same, same,
        {received});
    row("capital chosen", Turn::capitalChosen(Me, 26), M::PlaceInitial, B::Placing,
        {QStringLiteral("2: You should place 26 armies")});

    row("place, own seat", Turn::place(Me, anna, 5, Me), M::Place, B::Placing,
        {QStringLiteral("2: Anna should place 5 armies")});

    row("decide, own seat", Turn::decide(Me, anna, 12, Me, false), M::Attack, B::Decide,
        {QStringLiteral("2: Anna should choose: Place 4 armies or attack")}, true);
    row("decide, other seat", Turn::decide(Other, QString(), 2, Me, false), M::Idle, B::NotPlaying,
        {QStringLiteral("4:  should choose: Place 3 armies or attack")});

    row("more, own seat, do or die style", Turn::more(Me, Me, true), M::Attack, B::More);
    row("more, other seat", Turn::more(Other, Me, false), M::Idle, B::NotPlaying);

    row("attack, one die", Turn::attack(alpha, beta, Other, 1, false), M::Idle, same,
        {QStringLiteral("4: Alpha attacks Beta with 1 die")});
    row("attack, three dice", Turn::attack(alpha, beta, Me, 3, false), M::Idle, same,
        {QStringLiteral("2: Alpha attacks Beta with 3 dice")});
    row("attack, do or die with one die", Turn::attack(alpha, beta, Me, 1, true), M::Idle, same,
        {QStringLiteral("2: Alpha attacks Beta (do or die!)")});

    // Names that hold place markers of their own stay as they are (the rows
    // for a watcher's placing and for the winner).
    const QString marked = QStringLiteral("%1 %2");
    row("place, a name with place markers", Turn::place(Me, marked, 5, Watching), M::Idle,
        B::NotPlaying, {QStringLiteral("2: %1 %2 should place 5 armies")});
    row("decide, a name with place markers", Turn::decide(Me, marked, 12, Watching, false), M::Idle,
        B::NotPlaying, {QStringLiteral("2: %1 %2 should choose: Place 4 armies or attack")});
    row("attack, countries with place markers",
        Turn::attack(QStringLiteral("%1"), QStringLiteral("%2%3"), Me, 2, false), M::Idle, same,
        {QStringLiteral("2: %1 attacks %2%3 with 2 dice")});
    row("winner, a name with place markers", Turn::winner(Me, QStringLiteral("%2")), M::Idle,
        B::NotPlaying, {QStringLiteral("2: %2 has won the game")});

    row("move cancelled", Turn::cancelMove(false), M::Attack, B::More, {}, true);
}

void TestGame::turnSteps()
{
    QFETCH(TurnStep, step);
    QTEST(step.mode, "mode");
    QTEST(step.bar, "bar");
    if (step.bar == BarTurn::Decide || step.bar == BarTurn::More)
        QTEST(step.attackStyle, "attackStyle");
    QStringList lines;
    for (const TurnLine& line : step.lines)
        lines << QString::number(line.seat) + QStringLiteral(": ") + line.text;
    QTEST(lines, "lines");
}

namespace {

// A chronicle of the four-country map, with a clock the test moves. Seat 0
// is "Anna %2", seat 1 "Bert %1", and Gamma is named "Gamma %1": every line
// must keep the place markers of names as they are.
struct ChronicleFixture
{
    ChronicleFixture() : chronicle(model, [this] { return now; })
    {
        loadFour(model);
        model.country(3)->name = QStringLiteral("Gamma %1");
        chronicle.player(0, QStringLiteral("Anna %2"), false);
        chronicle.player(1, QStringLiteral("Bert %1"), true);
    }

    // One step of a message sequence, as "name numbers...", and its lines as
    // "seat: text".
    QStringList run(const QString& step)
    {
        const QStringList words = step.split(QLatin1Char(' '));
        QList<int> n;
        for (const QString& word : words.mid(1))
            n << word.toInt();
        const QString name = words.first();
        QList<TurnLine> lines;
        if (name == QLatin1String("init")) {
            chronicle.init(n.value(0));
        } else if (name == QLatin1String("clock")) {
            chronicle.clock(n[0]);
        } else if (name == QLatin1String("wait")) {
            now += n[0];
        } else if (name == QLatin1String("prompt")) {
            lines = chronicle.prompt(n[0], n[1]);
        } else if (name == QLatin1String("decide")) {
            lines = chronicle.prompt(n[0], chronicle.reinforcements(n[0]));
        } else if (name == QLatin1String("attack") || name == QLatin1String("doordie")) {
            lines = chronicle.attack(n[0], n[1], name == QLatin1String("doordie"));
        } else if (name == QLatin1String("country")) {
            lines = chronicle.country(n[0], n[1], n[2]);
            model.setCountry(n[0], n[1], n[2]);
        } else if (name == QLatin1String("out")) {
            lines = chronicle.seatOut(n[0]).lines;
        } else if (name == QLatin1String("replace")) {
            lines = chronicle.replaced(n[0]);
        } else if (name == QLatin1String("end")) {
            lines = chronicle.turnEnd();
        } else if (name == QLatin1String("winner")) {
            lines = chronicle.winner(n[0]);
        } else if (name == QLatin1String("capital")) {
            model.setLocalSeat(n[0]);
            model.setHighlighted(n[1]);
        }
        QStringList texts;
        for (const TurnLine& line : lines)
            texts << QString::number(line.seat) + QStringLiteral(": ") + line.text;
        return texts;
    }

    MapModel model;
    qint64 now = 1000;
    GameChronicle chronicle;
};

} // namespace

void TestGame::chronicle_data()
{
    // Anna (seat 0) holds Alpha and Beta with 3 armies each, Bert (seat 1)
    // Gamma with 3; Delta has no owner. The game's timer removes players
    // (mode 0) unless init names another mode.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");
    const auto row = [](const char* name, const char* steps, const QStringList& lines) {
        QTest::newRow(name) << QString::fromLatin1(steps).split(QLatin1Char(';')) << lines;
    };
    const QString conquest = QStringLiteral("0: Anna %2 conquers Gamma %1 from Bert %1");
    row("conquest", "init;attack 2 3;country 2 0 1;country 3 0 2", {conquest});
    row("an attack that takes nothing", "init;attack 2 3;country 2 0 2;country 3 1 1;prompt 0 -1",
        {});
    row("do or die that conquers", "init;doordie 2 3;country 3 0 2;prompt 0 -1", {conquest});
    row("do or die held", "init;doordie 2 3;country 2 0 1;country 3 1 2;prompt 0 -1",
        {QStringLiteral("1: Bert %1 holds Gamma %1 against the do-or-die attack of Anna %2")});
    row("do or die held, the turn ends", "init;doordie 2 3;country 2 0 1;end",
        {QStringLiteral("1: Bert %1 holds Gamma %1 against the do-or-die attack of Anna %2")});
    row("the own capital taken", "capital 1 3;init;attack 2 3;country 3 0 2",
        {conquest, QStringLiteral("0: Anna %2 has taken your capital Gamma %1")});
    row("only the local seat's capital is ours", "capital 1 1;init;attack 3 1;country 1 1 2",
        {QStringLiteral("1: Bert %1 conquers Alpha from Anna %2")});
    row("defeat", "init;attack 2 3;country 3 0 2;out 1",
        {conquest, QStringLiteral("1: Bert %1 is defeated by Anna %2")});
    row("removed by the turn timer", "init;clock 60;prompt 1 5;wait 60000;out 1",
        {QStringLiteral("1: Turn 1: Bert %1 receives 5 armies"),
         QStringLiteral("1: Bert %1 is removed from the game by the turn timer")});
    row("removed by the timer of the first placing", "init;clock 90;wait 89500;out 1",
        {QStringLiteral("1: Bert %1 is removed from the game by the turn timer")});
    row("leaves before the time is up", "init;clock 60;prompt 1 5;wait 30000;out 1",
        {QStringLiteral("1: Turn 1: Bert %1 receives 5 armies"),
         QStringLiteral("1: Bert %1 has left the game")});
    row("leaves while another seat's time runs out", "init;clock 60;prompt 0 5;wait 60000;out 1",
        {QStringLiteral("0: Turn 1: Anna %2 receives 5 armies"),
         QStringLiteral("1: Bert %1 has left the game")});
    row("a timer that only ends turns removes nobody", "init 2;clock 60;wait 61000;out 1",
        {QStringLiteral("1: Bert %1 has left the game")});
    row("replaced when the time is up", "init;clock 30;prompt 1 5;wait 30000;replace 1",
        {QStringLiteral("1: Turn 1: Bert %1 receives 5 armies"),
         QStringLiteral("1: Bert %1 has run out of time")});
    row("replaced for another reason", "init;clock 30;wait 1000;replace 1", {});
    row("turn starts", "init;decide 0;prompt 0 -1;end;prompt 1 -1;prompt 1 7;prompt 1 -1",
        {QStringLiteral("0: Turn 1: Anna %2 receives 3 armies"),
         QStringLiteral("1: Turn 2: Bert %1 receives 7 armies")});
    row("a whole continent's bonus", "country 3 0 3;country 4 0 1;init;decide 0",
        {QStringLiteral("0: Turn 1: Anna %2 receives 8 armies")});
    row("no defeat before the game starts", "attack 2 3;country 2 0 2;out 1",
        {QStringLiteral("1: Bert %1 has left the game")});
    row("nothing after the winner", "init;winner 0;prompt 1 5;doordie 2 3;end", {});
}

void TestGame::chronicle()
{
    QFETCH(QStringList, steps);
    ChronicleFixture f;
    QStringList lines;
    for (const QString& step : steps)
        lines << f.run(step);
    QTEST(lines, "lines");
}

void TestGame::chronicleFigures()
{
    // The exact odds of one throw: attacker's and defender's expected losses.
    const auto odds = [](int a, int d, double attacker, double defender) {
        const auto [lossA, lossD] = GameChronicle::expectedLosses(a, d);
        QVERIFY2(qFuzzyCompare(lossA, attacker) && qFuzzyCompare(lossD, defender),
                 qPrintable(QStringLiteral("%1 against %2").arg(a).arg(d)));
    };
    odds(1, 1, 21.0 / 36, 15.0 / 36);
    odds(2, 1, 91.0 / 216, 125.0 / 216);
    odds(1, 2, 161.0 / 216, 55.0 / 216);
    odds(3, 2, 7161.0 / 7776, 8391.0 / 7776);
    QCOMPARE((DiceRound{0, {2, 6, 5}, 1, {4, 6}}.losses()), std::make_pair(1, 1));
    QCOMPARE((DiceRound{0, {2, 6, 5}, 1, {5, 6}}.losses()), std::make_pair(2, 0));
    QCOMPARE((DiceRound{0, {3, 0, 0}, 1, {3, 0}}.losses()), std::make_pair(1, 0));

    ChronicleFixture f;
    f.run(QStringLiteral("init"));
    f.run(QStringLiteral("decide 0"));
    f.chronicle.dice({0, {6, 5, 0}, 1, {4, 0}});
    f.chronicle.dice({1, {1, 0, 0}, 0, {6, 6}});
    f.run(QStringLiteral("attack 2 3"));
    f.run(QStringLiteral("country 3 0 2"));
    f.chronicle.exchanged(0);
    f.run(QStringLiteral("end"));
    f.run(QStringLiteral("prompt 1 3"));
    f.run(QStringLiteral("wait 125000"));
    f.run(QStringLiteral("winner 0"));
    f.run(QStringLiteral("wait 5000"));

    QVERIFY(f.chronicle.isOver());
    QCOMPARE(f.chronicle.winnerSeat(), 0);
    QCOMPARE(f.chronicle.durationMs(), 125000);
    QCOMPARE(f.chronicle.turnCount(), 2);
    QCOMPARE(f.chronicle.rounds().size(), 2);
    const SeatFigures anna = f.chronicle.figures(0);
    const SeatFigures bert = f.chronicle.figures(1);
    QCOMPARE(anna.name, QStringLiteral("Anna %2"));
    QCOMPARE((QList<int>{anna.countries, anna.armies, anna.conquered, anna.cardsTraded, anna.turns,
                         anna.throws, anna.kills}),
             (QList<int>{3, 8, 1, 3, 1, 2, 2}));
    QCOMPARE((QList<int>{bert.countries, bert.armies, bert.conquered, bert.cardsTraded, bert.turns,
                         bert.throws, bert.kills}),
             (QList<int>{0, 0, 0, 0, 1, 2, 0}));
    // Every army lost is one the other side took: the luck adds up to nothing.
    QVERIFY(qFuzzyCompare(anna.luck(), 2 - 286.0 / 216));
    QVERIFY(qFuzzyCompare(bert.luck(), -146.0 / 216));
    QVERIFY(qFuzzyCompare(anna.luck() + bert.luck() + 1, 1.0));
    QVERIFY(!f.chronicle.figures(2).present);

    // A new game forgets the last one's figures but keeps who sits where.
    f.run(QStringLiteral("init"));
    QVERIFY(!f.chronicle.isOver());
    QCOMPARE(f.chronicle.figures(0).throws, 0);
    QCOMPARE(f.chronicle.figures(1).name, QStringLiteral("Bert %1"));
}

void TestGame::turnAlerts()
{
    // One call per absence: nothing while the window is active, one call
    // when it is not, none again until the player has looked.
    TurnAlert alert;
    using P = TurnAlert::Prompt;
    QCOMPARE(alert.prompt(P::Place, 5, true), std::nullopt);
    QCOMPARE(alert.prompt(P::Place, 5, false), QStringLiteral("Your turn: place 5 armies"));
    QCOMPARE(alert.prompt(P::More, 0, false), std::nullopt);
    alert.seen();
    QCOMPARE(alert.prompt(P::Take, 0, false),
             QStringLiteral("You conquered a country: choose the armies that move in"));
    QCOMPARE(alert.prompt(P::Capital, 0, true), std::nullopt);
    QCOMPARE(alert.prompt(P::Capital, 0, false), QStringLiteral("Pick your capital"));

    // The switches come back as saved; a file without them gives the defaults.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/alerts.ini"));
    QCOMPARE(AlertSwitches::load(file), AlertSwitches());
    QCOMPARE(AlertSwitches(), (AlertSwitches{true, true, false}));
    const AlertSwitches changed{false, true, true};
    changed.save(file);
    QCOMPARE(AlertSwitches::load(file), changed);
    QCOMPARE(AlertSwitches::fileBeside(QStringLiteral("/home/ann/tarvenix/tarvenix.cfg")),
             QStringLiteral("/home/ann/tarvenix/alerts.ini"));
}

void TestGame::turnTake()
{
    // The attacking country has 8 armies unless said otherwise: 7 may move.
    // "forced, conquered country unknown" and "minimum above what can move"
    // send the minimum at once.
    using C = TakeChoice;
    QCOMPARE(Turn::take(Me, Me, 8, true, 3), (C{C::Choose, 3, 7}));
    QCOMPARE(Turn::take(Me, Me, 4, false, 3), (C{C::SendAtOnce, 3, 3}));
    QCOMPARE(Turn::take(Me, Me, 2, true, 3), (C{C::SendAtOnce, 3, 3}));
    // Not the local player's choice: the conquered country is unknown, the
    // country is another seat's, or the local client watches.
    QCOMPARE(Turn::take(Me, Me, 8, false, 3), C());
    QCOMPARE(Turn::take(Me, Other, 8, true, 3), C());
    QCOMPARE(Turn::take(Watching, Watching, 8, true, 3), C());
}

// What each of the bar's steps turns on and off, and what it leaves as it
// was.
void TestGame::barStates_data()
{
    QTest::addColumn<QString>("fromOn");
    QTest::addColumn<QString>("fromOff");
    QTest::addColumn<QString>("expected");

    // Each step from every button and toggle on, and from all off. Buttons:
    // Chat Users Leave Start Place Attack DoOrDie Move Finish Store Cards
    // Config Robot; toggles: Place Attack DoOrDie Move. x: unchanged.
    using Step = std::function<BarState(const BarState&)>;
    const auto row = [](const char* name, const Step& step, const char* expected) {
        QTest::newRow(name) << snapshot(step(all(true))) << snapshot(step(all(false)))
                            << QString::fromLatin1(expected);
    };
    const auto styled = [&](const char* name, BarState (BarState::*step)(bool) const, bool attack,
                            const char* expected) {
        row(
            name, [=](const BarState& s) { return (s.*step)(attack); }, expected);
    };
    row(
        "the start", [](const BarState&) { return BarState(); }, "0000000000010 0000");
    row("connected", &BarState::connected, "111xxxxxxxxxx xxxx");
    row("notConnected", &BarState::notConnected, "00000000000x0 0000");
    row("inGame", &BarState::inGame, "xxxxxxxxx1xxx xxxx");
    row("notInGame", &BarState::notInGame, "xxx00000000x0 0000");
    row("notPlaying", &BarState::notPlaying, "xxxx00000xxxx 0000");
    row("placing", &BarState::placing, "xxxx00000xxxx 1000");
    styled("decide(true)", &BarState::decide, true, "xxxx11100xxxx 0100");
    styled("decide(false)", &BarState::decide, false, "xxxx11100xxxx 0010");
    styled("more(true)", &BarState::more, true, "xxxx01111xxxx 0100");
    styled("more(false)", &BarState::more, false, "xxxx01111xxxx 0010");
    row("moveState", &BarState::moveState, "xxxx01111xxxx 0001");
    row("waiting", &BarState::waiting, "xx1xxxxxxxxxx xxxx");
}

void TestGame::barStates()
{
    QFETCH(QString, fromOn);
    QFETCH(QString, fromOff);
    QFETCH(QString, expected);
    for (const bool on : {true, false}) {
        QString wanted = expected;
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            if (wanted.at(i) == QLatin1Char('x'))
                wanted[i] = on ? QLatin1Char('1') : QLatin1Char('0');
        }
        QCOMPARE(on ? fromOn : fromOff, wanted);
    }
}

// The six seats: finding one by name, the masks' flags by name, the flags
// and cards a robot never carries, seats outside the table, clearing, and
// the cards and armies of an exchange.
void TestGame::seats()
{
    SeatTable seats;
    seats.setRobot(0, QStringLiteral("Max"), 1700, 3, 12);
    human(seats, 4, QStringLiteral("Max"));
    QCOMPARE(seats.seatOf(QStringLiteral("Max"), false), 0);
    QCOMPARE(seats.seatOf(QStringLiteral("Max"), true), 4);
    QCOMPARE(seats.seatOf(QStringLiteral("max"), false), -1);

    // The masks reach humans of the name in any case, and no robot.
    human(seats, 1, QStringLiteral("Eve"));
    seats.setRobot(2, QStringLiteral("eve"), 1500, 1, 0);
    human(seats, 3, QStringLiteral("EVE"));
    human(seats, 5, QStringLiteral("Evelyn"));
    seats.makeFriend(QStringLiteral("eVe"), true);
    seats.makeEnemy(QStringLiteral("eve"), true);
    for (int seat : {1, 3})
        QVERIFY(seats.entry(seat)->isFriend && seats.entry(seat)->isEnemy);
    for (int seat : {2, 5})
        QVERIFY(!seats.entry(seat)->isFriend && !seats.entry(seat)->isEnemy);
    seats.makeFriend(QStringLiteral("EVE"), false);
    QVERIFY(!seats.entry(1)->isFriend && seats.entry(1)->isEnemy);
    seats.clear();

    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, false, true, true, true);
    QCOMPARE(*seats.entry(2),
             (PlayerEntry{QStringLiteral("Kim"), false, 1610, 4, 33, 0, 0, true, true, true}));
    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, true, true, true, true);
    QCOMPARE(*seats.entry(2), (PlayerEntry{QStringLiteral("Kim"), true, 1610, 4, 33}));
    // A robot taking the seat over starts without flags and without cards.
    seats.setPlayer(2, QStringLiteral("Kim"), 1610, 4, 33, false, true, true, true);
    seats.setCards(2, 4);
    seats.setRobot(2, QStringLiteral("Bot"), 1500, 1, 0);
    QCOMPARE(*seats.entry(2), (PlayerEntry{QStringLiteral("Bot"), true, 1500, 1, 0}));
    seats.clear();

    // Seats outside the table are no seats.
    QSignalSpy changed(&seats, &SeatTable::changed);
    human(seats, 6, QStringLiteral("Nobody"));
    seats.setRobot(-1, QStringLiteral("Nobody"), 1, 1, 1);
    seats.removePlayer(6);
    seats.setCards(0, 3);
    seats.exchanged(0, 5);
    QVERIFY(changed.isEmpty());
    QVERIFY(!seats.entry(6) && !seats.entry(-1) && !seats.entry(0));
    QCOMPARE(seats.seatOf(QStringLiteral("Nobody"), false), -1);

    // Clearing empties the seats and forgets the current one.
    human(seats, 5, QStringLiteral("Ann"));
    seats.setCurrent(5);
    seats.clear();
    QCOMPARE(seats.current(), -1);
    QVERIFY(!seats.entry(5));

    // Cards before, armies received before, armies of the exchange; the
    // cards and armies after. A card count that arrives late never goes
    // below nothing.
    const QList<std::array<int, 5>> rows = {{5, 0, 4, 2, 4}, {3, 10, 8, 0, 18}, {2, 0, 6, 0, 6}};
    for (const auto& [cards, received, armies, cardsAfter, armiesAfter] : rows) {
        human(seats, 3, QStringLiteral("Eve"));
        seats.setCards(3, cards);
        seats.setCardArmies(3, received);
        seats.exchanged(3, armies);
        QCOMPARE(seats.entry(3)->cards, cardsAfter);
        QCOMPARE(seats.entry(3)->cardArmies, armiesAfter);
    }
}

// A click on the board of loadFour() for a seat in a mode, with Beta's
// armies, the country selected before (0: none) and do or die: the gesture
// it makes (its right button is the one clicked), the country selected
// after, the line under the button bar for the mode, and why the click does
// nothing (empty: the click is used).
void TestGame::clickHints_data()
{
    QTest::addColumn<MapMode>("mode");
    QTest::addColumn<int>("seat");
    QTest::addColumn<int>("betaArmies");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("doOrDie");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<MapGesture>("gesture");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("refusal");

    using G = MapGesture;
    const auto row = [](const char* name, MapMode mode, int seat, int betaArmies, int selected,
                        bool doOrDie, int clicked, const G& gesture, int selectedAfter,
                        const QString& hint, const QString& refusal = {}) {
        QTest::newRow(name) << mode << seat << betaArmies << selected << doOrDie << clicked
                            << gesture << selectedAfter << hint << refusal;
    };
    const MapMode A = MapMode::Attack;
    const MapMode M = MapMode::Move;
    const MapMode P = MapMode::Place;
    const MapMode PI = MapMode::PlaceInitial;
    const MapMode C = MapMode::PickCapital;
    const QString attack =
        QStringLiteral("Click one of your countries with at least two armies, then an enemy "
                       "neighbour");
    const QString attackFromBeta = QStringLiteral(
        "Click an enemy neighbour of Beta to attack it, or Beta again to choose another country");
    const QString move = QStringLiteral("Move: click one of your countries with at least two "
                                        "armies, then one of your countries next to it");
    const QString moveFromBeta = QStringLiteral("Click one of your countries next to Beta to move "
                                                "armies there, or Beta again to choose another "
                                                "country");
    const QString place = QStringLiteral("Place your armies: left click one of your countries for "
                                         "one army, right click for all that are left");
    const QString capital = QStringLiteral("Pick your capital: click one of your countries");

    row("idle: wait", MapMode::Idle, 0, 3, 0, false, 2, {}, 0, QString(),
        QStringLiteral("Wait for your turn: the board takes no clicks now"));
    row("a watcher owns no country without an owner", P, -1, 3, 0, false, 4, {}, 0, QString());
    row("capital on an own country", C, 0, 3, 0, false, 2, {G::PickCapital, 2}, 0, capital);
    row("capital on an enemy", C, 0, 3, 0, false, 3, {}, 0, capital,
        QStringLiteral("Gamma is not yours: your capital must be one of your countries"));
    row("placing has no limit, right button", P, 0, 9, 0, false, 2,
        {G::PlaceArmies, 2, -1, 0, true}, 0, place);
    row("placing on an enemy", P, 0, 3, 0, false, 3, {}, 0, place,
        QStringLiteral("Gamma is not yours: place your armies on your own countries"));
    row("first placing below 4", PI, 0, 3, 0, false, 2, {G::PlaceArmies, 2}, 0, place);
    row("first placing stops at 4", PI, 0, 4, 0, false, 2, {}, 0, place,
        QStringLiteral("Beta has 4 armies already: before the first turn a country with four or "
                       "more takes no more"));
    row("attack: 2 armies are selected", A, 0, 2, 0, false, 2, {}, 2, attack);
    row("attack: do or die", A, 0, 3, 0, true, 2, {}, 2,
        QStringLiteral("Do or die: click one of your countries with at least two armies, then an "
                       "enemy neighbour; the dice roll until one side is beaten"));
    row("attack: one army", A, 0, 1, 0, false, 2, {}, 0, attack,
        QStringLiteral("Beta has only one army: a country needs two to attack"));
    row("attack: an enemy first", A, 0, 3, 0, false, 3, {}, 0, attack,
        QStringLiteral(
            "Gamma is not yours: first click one of your countries with at least two armies"));
    row("attack: 2 armies throw 1 die", A, 0, 2, 2, false, 3, {G::Attack, 2, 3, 1}, 0,
        attackFromBeta);
    row("attack: 4 armies throw 3 dice, do or die", A, 0, 4, 2, true, 3,
        {G::Attack, 2, 3, 3, false, true}, 0, attackFromBeta);
    row("attack: the selected again unselects it", A, 0, 3, 2, false, 2, {}, 0, attackFromBeta);
    row("attack: an own neighbour", A, 0, 3, 2, false, 1, {}, 2, attackFromBeta,
        QStringLiteral("Alpha is yours: click an enemy neighbour of Beta to attack it"));
    row("attack: not a neighbour", A, 0, 3, 1, false, 3, {}, 1,
        QStringLiteral("Click an enemy neighbour of Alpha to attack it, or Alpha again to choose "
                       "another country"),
        QStringLiteral("Gamma is not a neighbour of Alpha"));
    row("move: one army", M, 0, 1, 0, false, 2, {}, 0, move,
        QStringLiteral("Beta has only one army: one army always stays behind"));
    row("move: to an own neighbour", M, 0, 3, 2, false, 1, {G::Move, 2, 1}, 0, moveFromBeta);
    row("move: to an enemy", M, 0, 3, 2, false, 3, {}, 2, moveFromBeta,
        QStringLiteral("Gamma is not yours: armies move only between your own countries"));
    row("an unknown country", P, 0, 3, 0, false, 42, {}, 0, place);
}

void TestGame::clickHints()
{
    QFETCH(MapMode, mode);
    QFETCH(int, seat);
    QFETCH(int, betaArmies);
    QFETCH(int, selected);
    QFETCH(bool, doOrDie);
    QFETCH(int, clicked);
    QFETCH(MapGesture, gesture);
    QFETCH(QString, refusal);

    MapModel model;
    loadFour(model);
    model.setCountry(2, 0, betaArmies);
    model.setLocalSeat(seat);
    model.setMode(mode);
    model.setDoOrDie(doOrDie);
    model.highlightCountry(selected);
    QTEST(ClickHint::forMode(model), "hint");
    QCOMPARE(ClickHint::refusal(model, clicked), refusal);

    // A refused click is one the board does nothing with.
    QCOMPARE(model.click(clicked, gesture.rightButton), gesture);
    if (!refusal.isEmpty())
        QCOMPARE(gesture, MapGesture());
    QTEST(model.selectedCountry() ? model.selectedCountry()->number : 0, "selectedAfter");
    QCOMPARE(model.highlighted(), gesture.kind == MapGesture::PickCapital ? clicked : -1);
}

// Why Start and Robot are off in a waiting game the own user operates:
// minimum humans, no robots, players and robots; "" where the button is on.
void TestGame::operatorHints_data()
{
    QTest::addColumn<int>("minHumans");
    QTest::addColumn<bool>("noRobots");
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("robots");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("robot");

    const QString noRobots = QStringLiteral(
        "No robots in the game is ticked: robots cannot join this game; untick it in the New "
        "game dialog for your next game");
    const QString second = QStringLiteral(
        "Start needs a second player: add a robot with Robot or wait for someone to join");
    QTest::newRow("defaults: four humans, no robots")
        << 4 << true << 1 << 0 << false
        << QStringLiteral("Start needs at least 4 human players: wait for more players to join, "
                          "or open a new game with a lower minimum on the Timer tab")
        << noRobots;
    QTest::newRow("two humans asked, robots allowed")
        << 2 << false << 1 << 0 << false
        << QStringLiteral("Start needs at least 2 human players: wait for more players to join, "
                          "or open a new game with a lower minimum on the Timer tab")
        << QString();
    QTest::newRow("alone, robots allowed") << 1 << false << 1 << 0 << false << second << QString();
    QTest::newRow("alone, no robots")
        << 1 << true << 1 << 0 << false
        << QStringLiteral("Start needs a second player: wait for someone to join") << noRobots;
    QTest::newRow("ready to start") << 1 << false << 3 << 2 << false << QString() << QString();
    QTest::newRow("seats kept for humans")
        << 3 << false << 4 << 3 << false
        << QStringLiteral("Start needs at least 3 human players: wait for more players to join, "
                          "or open a new game with a lower minimum on the Timer tab")
        << QStringLiteral("The game keeps 3 seats for human players: no more robots can join");
    QTest::newRow("every seat taken") << 1 << false << 6 << 5 << false << QString()
                                      << QStringLiteral("Every seat is taken: no robot can join");
    QTest::newRow("running: nothing to say")
        << 4 << true << 1 << 0 << true << QString() << QString();
}

void TestGame::operatorHints()
{
    QFETCH(int, minHumans);
    QFETCH(bool, noRobots);
    QFETCH(int, players);
    QFETCH(int, robots);
    QFETCH(bool, running);
    QFETCH(QString, start);
    QFETCH(QString, robot);

    GameRecord game;
    game.options.minHumans = minHumans;
    game.options.noRobots = noRobots;
    game.update(QStringLiteral("me"), running, players - robots, players, robots, 0);
    const OperatorHints hints = OperatorHints::forGame(game);
    QCOMPARE(hints.start, start);
    QCOMPARE(hints.robot, robot);
    // A reason is given exactly when the button is off in a waiting game.
    QCOMPARE(hints.start.isEmpty(), running || game.canStart());
    QCOMPARE(hints.robot.isEmpty(), running || game.canAddRobot());
    if (!start.isEmpty() && !robot.isEmpty())
        QCOMPARE(hints.line(), start + u'\n' + robot);
    else
        QCOMPARE(hints.line(), start + robot);
}

// The robots the server offers, by exact name in the order first announced;
// a second message updates a robot in place. The one-step game picks from
// them: the level asked for first, then the nearest, the weaker first.
void TestGame::robotPick()
{
    RobotRoster roster;
    const QSignalSpy stored(&roster, &RobotRoster::stored);
    for (const auto& [name, level] : {std::pair{"Anvil", 1},
                                      {"Bramble", 1},
                                      {"Dynamo", 1},
                                      {"Ember", 2},
                                      {"Garnet", 3},
                                      {"garnet", 3}})
        roster.store({QLatin1String(name), QStringLiteral("Ann"), 1500, 0, level});
    roster.store({QStringLiteral("Dynamo"), QStringLiteral("Bob"), 1710, 90, 2});
    QCOMPARE(stored.last(), (QVariantList{2, false}));
    QCOMPARE(roster.robots().size(), 6);
    QCOMPARE(*roster.find(QStringLiteral("Dynamo")),
             (RobotInfo{QStringLiteral("Dynamo"), QStringLiteral("Bob"), 1710, 90, 2}));
    QCOMPARE(roster.find(QStringLiteral("garnet"))->name, QStringLiteral("garnet"));
    QVERIFY(!roster.find(QStringLiteral("anvil")));

    const QList<RobotChoice> offered = roster.choices();
    QCOMPARE(RobotGamePlan::pick(offered, 2, 2),
             (QStringList{QStringLiteral("Dynamo"), QStringLiteral("Ember")}));
    QCOMPARE(RobotGamePlan::pick(offered, 2, 4),
             (QStringList{QStringLiteral("Dynamo"), QStringLiteral("Ember"),
                          QStringLiteral("Anvil"), QStringLiteral("Bramble")}));
    QCOMPARE(
        RobotGamePlan::pick(offered, 3, 3),
        (QStringList{QStringLiteral("Garnet"), QStringLiteral("Dynamo"), QStringLiteral("Ember")}));
    // An Expert asked of a server without one: the strongest there is.
    QCOMPARE(RobotGamePlan::pick(offered, 4, 1), QStringList{QStringLiteral("Garnet")});
    QCOMPARE(RobotGamePlan::pick(offered, 1, 9).size(), 5);
    roster.clear();
    QVERIFY(RobotGamePlan::pick(roster.choices(), 2, 3).isEmpty());
}

// The one-step game against robots: open, seat the robots once the own user
// operates the new game, start when they are in or refused.
void TestGame::robotGamePlan()
{
    using Step = RobotGamePlan::Step;
    const QStringList robots = {QStringLiteral("Dynamo"), QStringLiteral("Ember")};
    GameRecord game;
    game.id = 5;
    game.options.minHumans = 1;
    const auto status = [&](const char* op, int players, int robotCount, bool running = false) {
        game.update(QLatin1String(op), running, players - robotCount, players, robotCount, 0);
        return game;
    };

    RobotGamePlan plan;
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 5), Step::None);
    plan.begin(QStringLiteral("me"), robots);
    QVERIFY(plan.isActive());
    // Someone else's game, or one the own user is not in yet, changes nothing.
    QCOMPARE(plan.gameChanged(status("bob", 1, 0), 5), Step::None);
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 0), Step::None);
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 5), Step::AddRobots);
    QCOMPARE(plan.gameId(), 5);
    QCOMPARE(plan.gameChanged(status("me", 2, 1), 5), Step::None);
    GameRecord other = game;
    other.id = 6;
    QCOMPARE(plan.gameChanged(other, 5), Step::None);
    QCOMPARE(plan.gameChanged(status("me", 3, 2), 5), Step::Start);
    QVERIFY(!plan.isActive());
    QCOMPARE(plan.gameChanged(status("me", 3, 2), 5), Step::None);

    // One robot refused: the game starts with the other.
    plan.begin(QStringLiteral("me"), robots);
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 5), Step::AddRobots);
    QCOMPARE(plan.robotRefused(&game), Step::None);
    QCOMPARE(plan.gameChanged(status("me", 2, 1), 5), Step::Start);

    // Both refused: nobody to play against, the plan gives up.
    plan.begin(QStringLiteral("me"), robots);
    QCOMPARE(plan.robotRefused(&game), Step::None);
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 5), Step::AddRobots);
    QCOMPARE(plan.robotRefused(&game), Step::None);
    QCOMPARE(plan.robotRefused(&game), Step::None);
    QVERIFY(!plan.isActive());

    // Started by hand meanwhile: nothing more to do.
    plan.begin(QStringLiteral("me"), robots);
    QCOMPARE(plan.gameChanged(status("me", 1, 0), 5), Step::AddRobots);
    QCOMPARE(plan.gameChanged(status("me", 2, 1, true), 5), Step::None);
    QVERIFY(!plan.isActive());
}

void TestGame::robotLevels()
{
    QCOMPARE(RobotLevel::title(1), QStringLiteral("1 Easy"));
    QCOMPARE(RobotLevel::title(2), QStringLiteral("2 Normal"));
    QCOMPARE(RobotLevel::title(3), QStringLiteral("3 Hard"));
    QCOMPARE(RobotLevel::title(4), QStringLiteral("4 Expert"));
    QCOMPARE(RobotLevel::title(7), QStringLiteral("7 Level 7"));
    QStringList descriptions;
    for (int level = 1; level <= RobotLevel::Highest + 1; ++level)
        descriptions << RobotLevel::description(level);
    // Each level says what it is, and no two say the same.
    for (int level = 1; level <= RobotLevel::Highest; ++level)
        QVERIFY(descriptions[level - 1].startsWith(RobotLevel::name(level) + u':'));
    QCOMPARE(QSet<QString>(descriptions.begin(), descriptions.end()).size(), descriptions.size());
}

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
