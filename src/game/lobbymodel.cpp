#include "lobbymodel.h"

#include "wildcard.h"

#include <QCoreApplication>

#include <algorithm>

LoginFailure LoginFailure::forCode(int code)
{
    // The texts belong to the main window, which shows them.
    const auto text = [](const char* source) {
        return QCoreApplication::translate("Tarvenix", source);
    };
    switch (FailureCode(code)) {
    case FailureCode::InvalidNickname:
        return {text("Login failed: invalid nickname"), false};
    case FailureCode::AlreadyLoggedOn:
        return {text("Login failed: already logged on"), false};
    case FailureCode::NicknameTaken:
    case FailureCode::NicknameRefused:
        return {text("Registration failed: try a different nickname"), true};
    case FailureCode::Banned:
        return {text("Login failed: you are banned"), false};
    case FailureCode::WrongPassword:
        return {text("Login failed: wrong password"), false};
    default:
        return {text("Logon failed"), false};
    }
}

bool MaskMatcher::add(const QString& pattern)
{
    if (contains(pattern))
        return false;
    m_patterns.append(pattern);
    m_expression.reset();
    return true;
}

bool MaskMatcher::remove(const QString& pattern)
{
    const qsizetype index = m_patterns.indexOf(pattern);
    if (index < 0)
        return false;
    m_patterns.removeAt(index);
    m_expression.reset();
    return true;
}

bool MaskMatcher::contains(const QString& pattern) const
{
    return m_patterns.contains(pattern, Qt::CaseInsensitive);
}

bool MaskMatcher::matches(const QString& text) const
{
    if (m_patterns.isEmpty())
        return false;
    if (!m_expression) {
        QStringList sources;
        sources.reserve(m_patterns.size());
        for (const QString& pattern : m_patterns)
            sources.append(QStringLiteral("(?:%1)").arg(wildcardSource(pattern)));
        m_expression.emplace(QRegularExpression::anchoredPattern(sources.join(QLatin1Char('|'))),
                             WildcardOptions);
    }
    return m_expression->match(text).hasMatch();
}

void MaskMatcher::clear()
{
    m_patterns.clear();
    m_expression.reset();
}

LobbyModel::LobbyModel(QObject* parent) : QObject(parent) {}

LobbyModel::~LobbyModel() = default;

UserInfo* LobbyModel::user(const QString& nickname) const
{
    const auto it = m_users.find(nickname);
    return it == m_users.end() ? nullptr : it->second.get();
}

const UserInfo* LobbyModel::findUser(const QString& nickname) const
{
    return user(nickname);
}

const UserInfo* LobbyModel::addUser(const QString& nickname, const QString& hostname)
{
    removeUser(nickname);
    auto record = std::make_unique<UserInfo>(nickname, hostname);
    UserInfo* added = record.get();
    added->isFriend = matchesFriend(*added);
    added->isEnemy = matchesEnemy(*added);
    m_users.emplace(nickname, std::move(record));
    emit userAdded(added);
    return added;
}

void LobbyModel::removeUser(const QString& nickname)
{
    const auto it = m_users.find(nickname);
    if (it == m_users.end())
        return;
    emit userRemoved(it->second.get());
    m_users.erase(it);
    emit buttonsChanged();
}

void LobbyModel::updateUser(const QString& nickname, int rating, int games, int playingGame,
                            int watchingGame, bool member, const QString& smilie, bool admin,
                            int level)
{
    UserInfo* record = user(nickname);
    if (!record)
        return;
    const bool shownChanged = record->rating != rating || record->games != games ||
                              record->smilie != smilie || record->admin != admin ||
                              record->level != level;
    record->rating = rating;
    record->games = games;
    record->member = member;
    record->smilie = smilie;
    record->admin = admin;
    record->level = level;
    const GameRecord* playing = findGame(playingGame);
    const GameRecord* watching = findGame(watchingGame);
    record->gameId = playing ? playing->id : watching ? watching->id : 0;
    record->observer = watching != nullptr;
    if (shownChanged)
        emit userChanged(record);
    emit buttonsChanged();
}

bool LobbyModel::touchUser(const QString& nickname, qint64 secondsSinceEpoch)
{
    UserInfo* record = user(nickname);
    if (!record)
        return false;
    record->lastActive = secondsSinceEpoch;
    return true;
}

void LobbyModel::setFriend(const QString& nickname, bool value)
{
    UserInfo* record = user(nickname);
    if (!record || record->isFriend == value)
        return;
    record->isFriend = value;
    emit userChanged(record);
    emit isFriend(nickname, value);
}

void LobbyModel::setEnemy(const QString& nickname, bool value)
{
    UserInfo* record = user(nickname);
    if (!record || record->isEnemy == value)
        return;
    record->isEnemy = value;
    emit userChanged(record);
    emit isEnemy(nickname, value);
}

const GameRecord* LobbyModel::addGame(const GameRecord& record)
{
    removeGame(record.id);
    auto game = std::make_unique<GameRecord>(record);
    const GameRecord* added = game.get();
    m_games.emplace(record.id, std::move(game));
    emit gameAdded(added);
    return added;
}

const GameRecord* LobbyModel::findGame(int id) const
{
    const auto it = m_games.find(id);
    return it == m_games.end() ? nullptr : it->second.get();
}

bool LobbyModel::updateGame(int id, const QString& operatorName, bool running, int clients,
                            int players, int robots, int disconnected)
{
    const auto it = m_games.find(id);
    if (it == m_games.end())
        return false;
    GameRecord* game = it->second.get();
    game->update(operatorName, running, clients, players, robots, disconnected);
    emit gameChanged(game);
    emit buttonsChanged();
    return true;
}

void LobbyModel::removeGame(int id)
{
    const auto it = m_games.find(id);
    if (it == m_games.end())
        return;
    for (auto& [nickname, record] : m_users) {
        if (record->gameId == id) {
            record->gameId = 0;
            record->observer = false;
        }
    }
    emit gameRemoved(it->second.get());
    m_games.erase(it);
    emit buttonsChanged();
}

void LobbyModel::setMe(const QString& nickname)
{
    m_me = nickname;
    emit buttonsChanged();
}

const UserInfo* LobbyModel::me() const
{
    return m_me.isEmpty() ? nullptr : user(m_me);
}

const GameRecord* LobbyModel::gameOf(const UserInfo* user) const
{
    return user ? findGame(user->gameId) : nullptr;
}

QList<const UserInfo*> LobbyModel::users() const
{
    QList<const UserInfo*> list;
    for (const auto& [nickname, record] : m_users)
        list.append(record.get());
    return list;
}

QList<const UserInfo*> LobbyModel::usersInGame(int id) const
{
    QList<const UserInfo*> list;
    if (!findGame(id))
        return list;
    for (const auto& [nickname, record] : m_users) {
        if (record->gameId == id)
            list.append(record.get());
    }
    return list;
}

QList<const UserInfo*> LobbyModel::members() const
{
    QList<const UserInfo*> list;
    for (const auto& [nickname, record] : m_users) {
        if (record->member)
            list.append(record.get());
    }
    return list;
}

QList<const GameRecord*> LobbyModel::games() const
{
    QList<const GameRecord*> list;
    for (const auto& [id, game] : m_games)
        list.append(game.get());
    return list;
}

MaskMatcher* LobbyModel::matcher(const QString& type)
{
    if (type == FriendType)
        return &m_friends;
    if (type == EnemyType)
        return &m_enemies;
    return nullptr;
}

QList<UserInfo*> LobbyModel::usersInListOrder() const
{
    QList<UserInfo*> list;
    for (const auto& [nickname, record] : m_users)
        list.append(record.get());
    std::stable_sort(list.begin(), list.end(), [](const UserInfo* a, const UserInfo* b) {
        return a->nickname.toLower() < b->nickname.toLower();
    });
    return list;
}

void LobbyModel::insertMask(const QString& pattern, const QString& type)
{
    const QString stripped = pattern.trimmed();
    MaskMatcher* masks = matcher(type);
    if (stripped.isEmpty() || !masks || !masks->add(stripped))
        return;
    m_masks.append({type, stripped});
    emit maskAdded(m_masks.last());

    // Only users without the standing can gain it from the new mask.
    const bool friendMask = masks == &m_friends;
    const QRegularExpression expression = wildcardExpression(stripped);
    for (const UserInfo* record : usersInListOrder()) {
        if (friendMask ? record->isFriend : record->isEnemy)
            continue;
        if (!expression.match(record->matchText()).hasMatch())
            continue;
        if (friendMask)
            setFriend(record->nickname, true);
        else
            setEnemy(record->nickname, true);
    }
}

void LobbyModel::removeMask(const QString& pattern, const QString& type)
{
    MaskMatcher* masks = matcher(type);
    if (!masks || !masks->remove(pattern))
        return;
    const Mask removed{type, pattern};
    m_masks.removeOne(removed);
    emit maskRemoved(removed);

    // Only users with the standing whom this mask matched can lose it.
    const bool friendMask = masks == &m_friends;
    const QRegularExpression expression = wildcardExpression(pattern);
    for (const UserInfo* record : usersInListOrder()) {
        if (!(friendMask ? record->isFriend : record->isEnemy))
            continue;
        const QString text = record->matchText();
        if (!expression.match(text).hasMatch() || masks->matches(text))
            continue;
        if (friendMask)
            setFriend(record->nickname, false);
        else
            setEnemy(record->nickname, false);
    }
}

bool LobbyModel::matchesFriend(const UserInfo& user) const
{
    return m_friends.matches(user.matchText());
}

bool LobbyModel::matchesEnemy(const UserInfo& user) const
{
    return m_enemies.matches(user.matchText());
}

void LobbyModel::clear()
{
    // The records stay alive until the views have let go of them.
    const auto users = std::move(m_users);
    const auto games = std::move(m_games);
    m_users.clear();
    m_games.clear();
    m_me.clear();
    m_masks.clear();
    m_friends.clear();
    m_enemies.clear();
    emit cleared();
    emit buttonsChanged();
}

bool LobbyModel::playsInRunningGame() const
{
    const UserInfo* own = me();
    const GameRecord* game = myGame();
    return game && game->running && !own->observer;
}

LobbyButtons LobbyModel::buttons(const GameRecord* chosenGame, const UserInfo* chosenUser) const
{
    LobbyButtons buttons;
    const UserInfo* own = me();
    if (!own)
        return buttons;
    // Someone seated in a game that is under way must not wander off from it.
    const bool bound = playsInRunningGame();
    const GameRecord* game = myGame();
    buttons.newGame = !bound;
    buttons.watch = chosenGame && !bound;
    buttons.join = chosenGame && !bound && !chosenGame->running &&
                   chosenGame->players < GameRecord::MaxPlayers;
    buttons.kick = chosenUser && game && game->operatorName == own->nickname &&
                   chosenUser->gameId == game->id && (!game->running || chosenUser->observer);
    return buttons;
}

std::optional<const GameRecord*> LobbyModel::ownMove(const QString& nickname, int playingGame,
                                                     int watchingGame) const
{
    const UserInfo* own = me();
    if (!own || own->nickname != nickname)
        return std::nullopt;
    const GameRecord* playing = findGame(playingGame);
    const GameRecord* next = playing ? playing : findGame(watchingGame);
    if (next == gameOf(own))
        return std::nullopt;
    return next;
}

std::optional<OperatorButtons> LobbyModel::operatorButtons(const GameRecord& game) const
{
    const UserInfo* own = me();
    if (!own)
        return std::nullopt;
    const bool operating = game.operatorName == own->nickname;
    if (!operating && own->gameId != game.id)
        return std::nullopt;
    if (!operating)
        return OperatorButtons{};
    return OperatorButtons{game.canStart(), game.canAddRobot()};
}

EntryRequest LobbyModel::joinRequest(int id) const
{
    const UserInfo* own = me();
    if (!own)
        return EntryRequest::None;
    const GameRecord* game = myGame();
    if (!game)
        return EntryRequest::Enter;
    // A seated player stays in a running game and is already in his own.
    if (!own->observer && (game->running || game->id == id))
        return EntryRequest::None;
    return EntryRequest::PartThenEnter;
}

EntryRequest LobbyModel::watchRequest(int id) const
{
    const UserInfo* own = me();
    if (!own)
        return EntryRequest::None;
    const GameRecord* game = myGame();
    if (!game)
        return EntryRequest::Enter;
    if (own->observer ? game->id == id : game->running)
        return EntryRequest::None;
    return EntryRequest::PartThenEnter;
}
