// The users and games on the server, the chat lines and mask and slot
// messages, and the user's gestures in the lobby and on the button bar.

#include "tarvenix.h"

#include "buttonbar.h"
#include "cards.h"
#include "chatdialog.h"
#include "favouritesdialog.h"
#include "lobbymodel.h"
#include "logindialog.h"
#include "map.h"
#include "newgamedialog.h"
#include "parser.h"
#include "playerlist.h"
#include "question.h"
#include "robotdialog.h"
#include "sender.h"
#include "settings.h"
#include "usersdialog.h"

#include <QDateTime>

namespace {

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void Tarvenix::createLobby()
{
    m_buttonBar = new ButtonBar(this);
    m_buttonBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_buttonBar);

    m_lobby = new LobbyModel(this);
    m_mapSlots = std::make_unique<MapSlots>();
    m_robots = std::make_unique<RobotRoster>();
}

void Tarvenix::createLobbyDialogs()
{
    m_usersDialog = new UsersDialog(m_lobby);
    m_newGameDialog = new NewGameDialog(*m_mapSlots, this);
    // The dialog's last choices live beside the configuration, not in it.
    if (const Settings* settings = Settings::instance())
        m_newGameDialog->setChoicesFile(NewGameDialog::choicesFileBeside(settings->fileName()));
    m_robotDialog = new RobotDialog(*m_robots, this);
    m_favouritesDialog = new FavouritesDialog(*m_mapSlots, this);
}

void Tarvenix::connectLobbyParser()
{
    Parser* p = m_parser;
    connect(p, &Parser::newUser, this, &Tarvenix::parseNewUser);
    connect(p, &Parser::user, this, &Tarvenix::parseUser);
    connect(p, &Parser::endUser, this, &Tarvenix::parseEndUser);
    connect(p, &Parser::newGame, this, &Tarvenix::parseNewGame);
    connect(p, &Parser::game, this, &Tarvenix::parseGame);
    connect(p, &Parser::endGame, this, &Tarvenix::parseEndGame);
    connect(p, &Parser::globalChat, this, &Tarvenix::parseGlobalChat);
    connect(p, &Parser::gameChat, this, &Tarvenix::parseGameChat);
    connect(p, &Parser::whisper, this, &Tarvenix::parseWhisper);
    connect(p, &Parser::robot, m_robotDialog, &RobotDialog::store);
    connect(p, &Parser::mask, this, &Tarvenix::parseMask);
    connect(p, &Parser::membersChat, this, &Tarvenix::parseMembersChat);
    connect(p, &Parser::slot, this, &Tarvenix::parseSlot);
}

void Tarvenix::connectLobbyActions()
{
    connect(m_buttonBar, &ButtonBar::users, this, &Tarvenix::actionUsers);
    connect(m_buttonBar, &ButtonBar::leave, this, &Tarvenix::actionPart);
    connect(m_buttonBar, &ButtonBar::robot, this, &Tarvenix::actionRobot);
    connect(m_buttonBar, &ButtonBar::store, this, &Tarvenix::actionFavourites);
    connect(m_buttonBar, &ButtonBar::start, m_sender, &Sender::start);
    connect(m_buttonBar, &ButtonBar::place, m_sender, &Sender::armies);

    connect(m_usersDialog, &UsersDialog::watch, this, &Tarvenix::actionWatch);
    connect(m_usersDialog, &UsersDialog::join, this, &Tarvenix::actionJoin);
    connect(m_usersDialog, &UsersDialog::kick, m_sender, &Sender::kick);
    connect(m_usersDialog, &UsersDialog::newGame, this, qOverload<>(&Tarvenix::actionNewGame));
    connect(m_usersDialog, &UsersDialog::addMask, m_sender, &Sender::addMask);
    connect(m_usersDialog, &UsersDialog::removeMask, m_sender, &Sender::removeMask);
    connect(m_usersDialog, &UsersDialog::isFriend, this, &Tarvenix::actionUserBecomesFriend);
    connect(m_usersDialog, &UsersDialog::isFriend, m_seats.get(), &SeatTable::makeFriend);
    connect(m_usersDialog, &UsersDialog::isEnemy, this, &Tarvenix::actionUserBecomesEnemy);
    connect(m_usersDialog, &UsersDialog::isEnemy, m_seats.get(), &SeatTable::makeEnemy);

    connect(m_newGameDialog, &NewGameDialog::newGame, this,
            qOverload<int, bool, bool, int, bool, bool, bool, bool, bool, bool, int, int, bool,
                      bool, int, bool, bool>(&Tarvenix::actionNewGame));
    connect(m_robotDialog, &RobotDialog::startRobot, m_sender, &Sender::robot);
    connect(m_favouritesDialog, &FavouritesDialog::store, m_sender, &Sender::storeSlot);
}

void Tarvenix::resetLobby()
{
    m_lobby->clear();
    m_buttonBar->notConnected();
}

void Tarvenix::resetOwnUser()
{
    m_lobby->setMe(QString());
}

void Tarvenix::parseNewUser(const QString& nickname, const QString& host)
{
    m_lobby->addUser(nickname, host);
    if (m_lobby->isOwnNickname(nickname)) {
        m_lobby->setMe(nickname);
        m_buttonBar->connected();
    }
    raiseEvent(QStringLiteral("server_newuser"), {nickname, host});
}

void Tarvenix::parseUser(const QString& nickname, int rating, int games, int playing, int watching,
                         bool member, const QString& smilie, bool admin, int level)
{
    if (!m_lobby->findUser(nickname))
        return;
    // The handlers still see the previous values through the script commands.
    raiseEvent(QStringLiteral("server_user"),
               {nickname, QString::number(rating), QString::number(games),
                QString::number(qint64(playing) + watching), flag(playing != 0),
                flag(watching != 0), flag(member), smilie, flag(admin), QString::number(level)});

    // A handler may have changed the lobby; look everything up afresh.
    const std::optional<const GameRecord*> move = m_lobby->ownMove(nickname, playing, watching);
    if (move)
        changeGame(*move);
    m_lobby->updateUser(nickname, rating, games, playing, watching, member, smilie, admin, level);
    // The game's status may have come before the user's own move into it.
    if (move && *move)
        updateOperatorButtons(*move);
}

void Tarvenix::changeGame(const GameRecord* game)
{
    // A game the server ended or took the player out of stays on the board
    // with its summary until he leaves it; one he left himself goes at once.
    const bool keepBoard = !game && (m_chronicle->isOver() || m_seatLost) && !m_partRequested;
    m_partRequested = false;
    m_buttonBar->stopTimer();
    if (game || !keepBoard)
        clearFinishedBoard();
    m_map->clearDice();
    resetGame();
    m_cards->setGameItem(game);
    m_seats->clear();
    m_mapModel->setLocalSeat(-1);
    m_newGameDialog->hide();
    m_robotDialog->hide();
    m_favouritesDialog->hide();
    m_mapModel->setHighlighted(-1);
    m_mapModel->setMode(MapMode::Idle);
    m_refusal.clear();
    setOperatorHints(nullptr);
    if (m_robotPlan.gameId() != 0 && (!game || game->id != m_robotPlan.gameId()))
        m_robotPlan.cancel();
    if (game) {
        m_buttonBar->inGame();
        m_logoutDialog->hide();
        raisePage(CardsPage);
        m_map->setEmptyHint(QString());
    } else {
        m_buttonBar->notInGame();
        m_leaveDialog->hide();
        if (keepBoard) {
            m_boardKept = true;
            return;
        }
        // The last game's map is no business of the next one.
        m_map->showEmpty();
        m_map->setEmptyHint(wayInHint());
        showEditor();
    }
}

void Tarvenix::parseEndUser(const QString& nickname)
{
    if (!m_lobby->findUser(nickname))
        return;
    raiseEvent(QStringLiteral("server_enduser"), {nickname});
    m_lobby->removeUser(nickname);
}

void Tarvenix::parseNewGame(int id, int mapId, const QString& mapName, const QString& mapAuthor,
                            bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                            bool replaceBots, bool increasingCards, bool hideCards,
                            bool noWhispering, bool blind, int minHumans, int minRating,
                            int maxRating, bool gifts, bool getCards, int timerMode, bool sameLevel,
                            bool noBots)
{
    GameRecord record;
    record.id = id;
    record.mapId = mapId;
    record.mapText = GameRecord::mapTextFor(mapName, mapAuthor);
    GameOptions& options = record.options;
    options.placeBeforeAttack = placeBeforeAttack;
    options.capitals = capitals;
    options.timeout = timeout;
    options.sameHosts = sameHosts;
    options.replaceBots = replaceBots;
    options.increasingCards = increasingCards;
    options.hideCards = hideCards;
    options.noWhispering = noWhispering;
    options.blind = blind;
    options.minHumans = minHumans;
    options.minRating = minRating;
    options.maxRating = maxRating;
    options.gifts = gifts;
    options.receiveCards = getCards;
    options.timerMode = timerMode;
    options.sameLevel = sameLevel;
    options.noRobots = noBots;
    m_lobby->addGame(record);
}

void Tarvenix::parseGame(int id, const QString& op, bool running, int clients, int players,
                         int robots, int disconnected)
{
    if (m_lobby->updateGame(id, op, running, clients, players, robots, disconnected))
        updateOperatorButtons(m_lobby->findGame(id));
}

void Tarvenix::updateOperatorButtons(const GameRecord* game)
{
    const std::optional<OperatorButtons> buttons = m_lobby->operatorButtons(*game);
    if (!buttons)
        return;
    m_buttonBar->setStartEnabled(buttons->start);
    m_buttonBar->setRobotEnabled(buttons->robot);
    if (!buttons->robot)
        m_robotDialog->hide();
    setOperatorHints(game);
    advanceRobotPlan(game);
}

void Tarvenix::parseEndGame(int id)
{
    // Should the server drop the game before moving its people out, the own
    // user still leaves it properly instead of staying in a game that is gone.
    const GameRecord* game = m_lobby->findGame(id);
    if (game && m_lobby->myGame() == game)
        changeGame(nullptr);
    m_lobby->removeGame(id);
}

void Tarvenix::chatLine(const QString& channel, const QString& nickname, const QString& text)
{
    if (!m_lobby->touchUser(nickname, QDateTime::currentSecsSinceEpoch()))
        return;
    raiseEvent(QStringLiteral("server_chat"), {channel, nickname, text});
}

void Tarvenix::parseGlobalChat(const QString& nickname, const QString& text)
{
    chatLine(QStringLiteral("global"), nickname, text);
}

void Tarvenix::parseGameChat(const QString& nickname, const QString& text)
{
    chatLine(QStringLiteral("game"), nickname, text);
}

void Tarvenix::parseMembersChat(const QString& nickname, const QString& text)
{
    chatLine(QStringLiteral("member"), nickname, text);
}

void Tarvenix::parseWhisper(const QString& nickname, const QString& text)
{
    if (!m_lobby->touchUser(nickname, QDateTime::currentSecsSinceEpoch()))
        return;
    raiseEvent(QStringLiteral("server_whisper"), {nickname, text});
    // With the chat window closed the whisper would go unseen.
    if (m_chatDialog->isHidden() || m_chatDialog->isMinimized()) {
        addOutput(Qt::lightGray, Qt::black, tr("%1 whispers to you").arg(nickname));
        m_buttonBar->setChatMarked(true);
    }
}

void Tarvenix::parseMask(const QString& mask, const QString& kind)
{
    m_lobby->insertMask(mask, kind);
}

void Tarvenix::parseSlot(bool personal, int slot, int mapId, const QString& mapName,
                         const QString& mapAuthor)
{
    // The new-game dialog, the favourites dialog and the store watch show it.
    m_mapSlots->set(personal, slot, {mapId, mapName, mapAuthor});
}

void Tarvenix::actionJoin(int id)
{
    const EntryRequest request = m_lobby->joinRequest(id);
    if (request == EntryRequest::None)
        return;
    if (request == EntryRequest::PartThenEnter)
        m_sender->part();
    m_sender->join(id);
}

void Tarvenix::actionWatch(int id)
{
    const EntryRequest request = m_lobby->watchRequest(id);
    if (request == EntryRequest::None)
        return;
    if (request == EntryRequest::PartThenEnter)
        m_sender->part();
    m_sender->watch(id);
}

void Tarvenix::actionNewGame()
{
    bringUp(m_newGameDialog);
}

void Tarvenix::actionNewGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout,
                             bool sameHosts, bool replaceBots, bool increasingCards, bool hideCards,
                             bool noWhispering, bool blind, int minHumans, int ratingRange,
                             bool gifts, bool getCards, int timerMode, bool sameLevel, bool noBots)
{
    m_newGameDialog->hide();
    m_sender->newGame(mapId, placeBeforeAttack, capitals, timeout, sameHosts, replaceBots,
                      increasingCards, hideCards, noWhispering, blind, minHumans, ratingRange,
                      gifts, getCards, timerMode, sameLevel, noBots);
}

void Tarvenix::actionPart()
{
    if (m_lobby->myGame())
        bringUp(m_leaveDialog);
    else
        bringUp(m_logoutDialog);
}

void Tarvenix::actionUsers()
{
    bringUp(m_usersDialog);
}

void Tarvenix::actionRobot()
{
    bringUp(m_robotDialog);
}

void Tarvenix::actionFavourites()
{
    bringUp(m_favouritesDialog);
}

void Tarvenix::actionUserBecomesFriend(const QString& nickname, bool value)
{
    raiseEvent(QStringLiteral("user_becomes_friend"), {nickname, flag(value)});
}

void Tarvenix::actionUserBecomesEnemy(const QString& nickname, bool value)
{
    raiseEvent(QStringLiteral("user_becomes_enemy"), {nickname, flag(value)});
}
