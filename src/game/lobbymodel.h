#pragma once

#include "gamerecord.h"
#include "userinfo.h"

#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

// Which of the lobby's game buttons are usable.
struct LobbyButtons
{
    bool join = false;
    bool watch = false;
    bool kick = false;
    bool newGame = false;

    bool operator==(const LobbyButtons&) const = default;
};

// The Start and Robot buttons of the game the own user is in or operates.
struct OperatorButtons
{
    bool start = false;
    bool robot = false;

    bool operator==(const OperatorButtons&) const = default;
};

// What a Join or Watch gesture sends: nothing, the request alone, or a Part
// first to leave the game the user is in.
enum class EntryRequest { None, Enter, PartThenEnter };

// The line and the dialog a refused login or registration calls for.
struct LoginFailure
{
    static LoginFailure forCode(int code);

    QString text;
    bool registration = false;
};

// The wildcard masks of one kind, joined into one expression that is built
// when first needed after a change.
class MaskMatcher
{
public:
    // False when the pattern is there already, up to letter case.
    bool add(const QString& pattern);
    // The exact pattern; false when it is not there.
    bool remove(const QString& pattern);
    bool contains(const QString& pattern) const;
    bool matches(const QString& text) const;
    bool isEmpty() const { return m_patterns.isEmpty(); }
    void clear();

private:
    QStringList m_patterns;
    mutable std::optional<QRegularExpression> m_expression;
};

// Everything the server tells about the people and games on it, without a
// widget: the users by nickname, the games by id, the own user, and the
// friend and enemy masks with the standing they give each user. The lobby's
// rules (which buttons are usable, when the own user changes games, what
// Join and Watch send) are answered here, so that the windows only show the
// model and pass on gestures.
//
// Records are handed out as pointers that stay valid until the record is
// removed; userRemoved and gameRemoved come just before that.
class LobbyModel : public QObject
{
    Q_OBJECT

public:
    static inline const QString FriendType = QStringLiteral("friend");
    static inline const QString EnemyType = QStringLiteral("enemy");

    struct Mask
    {
        QString type;
        QString pattern;

        bool operator==(const Mask&) const = default;
    };

    explicit LobbyModel(QObject* parent = nullptr);
    ~LobbyModel() override;

    // Replaces any record of that nickname; friend and enemy come from the
    // masks.
    const UserInfo* addUser(const QString& nickname, const QString& hostname);
    const UserInfo* findUser(const QString& nickname) const;
    void removeUser(const QString& nickname);
    // Game ids that name no known game count as none.
    void updateUser(const QString& nickname, int rating, int games, int playingGame,
                    int watchingGame, bool member, const QString& smilie, bool admin, int level);
    // Notes a chat line or whisper of the user; false for an unknown one.
    bool touchUser(const QString& nickname, qint64 secondsSinceEpoch);
    void setFriend(const QString& nickname, bool value);
    void setEnemy(const QString& nickname, bool value);

    // Replaces any game with the same id.
    const GameRecord* addGame(const GameRecord& record);
    const GameRecord* findGame(int id) const;
    // Stores a status message; false for an unknown game.
    bool updateGame(int id, const QString& operatorName, bool running, int clients, int players,
                    int robots, int disconnected);
    // Users who were in the game are in no game afterwards.
    void removeGame(int id);

    // The nickname the client logs in with, as the server spells it once it
    // has welcomed the login. It outlives clear(): it is the login's.
    void setOwnNickname(const QString& nickname) { m_ownNickname = nickname; }
    const QString& ownNickname() const { return m_ownNickname; }
    // Exactly the own nickname, letter case included.
    bool isOwnNickname(const QString& nickname) const
    {
        return !nickname.isEmpty() && nickname == m_ownNickname;
    }

    // The own user, by nickname: none after the record is removed.
    void setMe(const QString& nickname);
    const UserInfo* me() const;
    const GameRecord* gameOf(const UserInfo* user) const;
    const GameRecord* myGame() const { return gameOf(me()); }

    // The lists the script commands read: users by nickname, games by id.
    QList<const UserInfo*> users() const;
    QList<const UserInfo*> usersInGame(int id) const;
    QList<const UserInfo*> members() const;
    QList<const GameRecord*> games() const;

    // Adds a mask without telling the server: for the masks the server
    // sends at login and, after the request, for the user's own. Empty
    // patterns, unknown types and duplicates up to letter case are dropped.
    // Users who gain a standing are reported through isFriend or isEnemy.
    void insertMask(const QString& pattern, const QString& type);
    // Removes the mask; users who lose their standing are reported.
    void removeMask(const QString& pattern, const QString& type);
    // In the order they were added.
    QList<Mask> masks() const { return m_masks; }
    bool matchesFriend(const UserInfo& user) const;
    bool matchesEnemy(const UserInfo& user) const;

    // Forgets every user, game and mask and the own user.
    void clear();

    // The game buttons for the rows chosen in the lists (null for none).
    LobbyButtons buttons(const GameRecord* chosenGame, const UserInfo* chosenUser) const;
    // The game a user message puts the own user in (null for none), when it
    // moves him out of the game he is in; nothing when the message is about
    // someone else or leaves him where he is.
    std::optional<const GameRecord*> ownMove(const QString& nickname, int playingGame,
                                             int watchingGame) const;
    // The Start and Robot buttons after the game changed, when the game is
    // the own user's or he operates it; nothing otherwise.
    std::optional<OperatorButtons> operatorButtons(const GameRecord& game) const;
    EntryRequest joinRequest(int id) const;
    EntryRequest watchRequest(int id) const;

signals:
    void userAdded(const UserInfo* user);
    // The values a users list shows, or the standing, changed.
    void userChanged(const UserInfo* user);
    void userRemoved(const UserInfo* user);
    void gameAdded(const GameRecord* game);
    void gameChanged(const GameRecord* game);
    void gameRemoved(const GameRecord* game);
    void maskAdded(const LobbyModel::Mask& mask);
    void maskRemoved(const LobbyModel::Mask& mask);
    void cleared();
    // Something the buttons depend on changed: the own user, where a user
    // is, or a game's status.
    void buttonsChanged();
    void isFriend(const QString& nickname, bool value);
    void isEnemy(const QString& nickname, bool value);

private:
    UserInfo* user(const QString& nickname) const;
    MaskMatcher* matcher(const QString& type);
    // The users in the order of the lists' default sorting, so that the
    // standing changes of one mask are reported top to bottom.
    QList<UserInfo*> usersInListOrder() const;
    bool playsInRunningGame() const;

    std::map<QString, std::unique_ptr<UserInfo>> m_users;
    std::map<int, std::unique_ptr<GameRecord>> m_games;
    QString m_ownNickname;
    QString m_me;
    QList<Mask> m_masks;
    MaskMatcher m_friends;
    MaskMatcher m_enemies;
};
