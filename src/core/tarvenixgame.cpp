// The messages of a running game: seats, the start, turns, attacks,
// conquests, cards and the end. What each one does to the board's mode, the
// button bar and the output is the turn state machine's decision; these
// handlers look up what it needs and carry the decision out.

#include "tarvenix.h"

#include "buttonbar.h"
#include "cards.h"
#include "chatview.h"
#include "gamelimits.h"
#include "lobbymodel.h"
#include "map.h"
#include "move.h"
#include "parser.h"
#include "playerlist.h"
#include "robotdialog.h"
#include "sender.h"
#include "turn.h"

#include <QStackedWidget>
#include <QToolBar>

namespace {

bool validSeat(int seat)
{
    return seat >= 0 && seat < PlayerList::Seats;
}

// Rating, level and games of a robot the robot dialog lists.
struct RobotRecord
{
    int rating = Rules::StartingRating;
    int level = 1;
    int games = 0;
};

RobotRecord robotRecord(const RobotDialog* dialog, const QString& name)
{
    RobotRecord record;
    if (const RobotItem* robot = dialog->findRobot(name)) {
        record.rating = robot->text(RobotItem::RatingColumn).toInt();
        record.level = robot->text(RobotItem::LevelColumn).toInt();
        record.games = robot->text(RobotItem::GamesColumn).toInt();
    }
    return record;
}

} // namespace

void Tarvenix::createGame()
{
    m_cards = new Cards(m_stack);
    m_move = new Move(m_stack);
    addPage(CardsPage, m_cards);
    addPage(MovePage, m_move);
    raisePage(CardsPage);
}

void Tarvenix::connectGameParser()
{
    Parser* p = m_parser;
    connect(p, &Parser::player, this, &Tarvenix::parsePlayer);
    connect(p, &Parser::replace, this, &Tarvenix::parseReplace);
    connect(p, &Parser::endPlayer, this, &Tarvenix::parseEndPlayer);
    connect(p, &Parser::init, this, &Tarvenix::parseInit);
    connect(p, &Parser::place, this, &Tarvenix::parsePlace);
    connect(p, &Parser::decide, this, &Tarvenix::parseDecide);
    connect(p, &Parser::more, this, &Tarvenix::parseMore);
    connect(p, &Parser::attack, this, &Tarvenix::parseAttack);
    connect(p, &Parser::defend, this, &Tarvenix::parseDefend);
    connect(p, &Parser::dice, this, &Tarvenix::parseDice);
    connect(p, &Parser::take, this, &Tarvenix::parseTake);
    connect(p, &Parser::card, this, &Tarvenix::parseCard);
    connect(p, &Parser::cardCount, this, &Tarvenix::parseCardCount);
    connect(p, &Parser::exchange, this, &Tarvenix::parseExchange);
    connect(p, &Parser::exchanged, this, &Tarvenix::parseExchanged);
    connect(p, &Parser::end, this, &Tarvenix::parseEnd);
    connect(p, &Parser::winner, this, &Tarvenix::parseWinner);
    connect(p, &Parser::clock, this, &Tarvenix::parseClock);
}

void Tarvenix::resetGame()
{
    m_cards->reset();
    m_mapModel->clearSelection();
    if (m_stack->currentWidget() == m_move)
        raisePage(CardsPage);
}

bool Tarvenix::localPlayer(int seat) const
{
    return seat >= 0 && seat == m_mapModel->localSeat();
}

void Tarvenix::gameLine(int seat, const QString& text)
{
    const QColor circle = seat < 0 ? QColor(Qt::lightGray) : m_playerList->seatColor(seat);
    addOutput(circle, Qt::black, text);
}

void Tarvenix::applyTurn(const TurnStep& step)
{
    for (const TurnLine& line : step.lines)
        gameLine(line.seat, line.text);
    if (step.mode) {
        m_mapModel->setMode(*step.mode);
        // The place status belongs to the placing modes only.
        m_map->updatePlaceStatus();
    }
    if (!step.bar)
        return;
    switch (*step.bar) {
    case BarTurn::NotPlaying:
        m_buttonBar->notPlaying();
        break;
    case BarTurn::Placing:
        m_buttonBar->placing();
        break;
    case BarTurn::Decide:
        m_buttonBar->decide(step.attackStyle);
        break;
    case BarTurn::More:
        m_buttonBar->more(step.attackStyle);
        break;
    case BarTurn::MoveState:
        m_buttonBar->moveState();
        break;
    }
}

void Tarvenix::parsePlayer(int seat, bool robot, const QString& name)
{
    if (!validSeat(seat))
        return;
    QString type;
    int rating = Rules::StartingRating;
    int level = 1;
    int games = 0;
    bool isFriend = false;
    bool isEnemy = false;
    bool admin = false;
    if (robot) {
        type = tr("robot");
        const RobotRecord record = robotRecord(m_robotDialog, name);
        rating = record.rating;
        level = record.level;
        games = record.games;
    } else if (const UserInfo* user = m_lobby->findUser(name)) {
        type = user->hostname;
        rating = user->rating;
        level = user->level;
        games = user->games;
        isFriend = user->isFriend;
        isEnemy = user->isEnemy;
        admin = user->admin;
        if (user == m_lobby->me())
            m_mapModel->setLocalSeat(seat);
    }
    gameLine(seat, tr("Player %1: %2 (%3)").arg(seat + 1).arg(name, type));
    m_seats->setPlayer(seat, name, rating, level, games, robot, isFriend, isEnemy, admin);
}

void Tarvenix::parseReplace(int seat, const QString& robot)
{
    if (!validSeat(seat))
        return;
    const RobotRecord record = robotRecord(m_robotDialog, robot);
    m_seats->setRobot(seat, robot, record.rating, record.level, record.games);
    gameLine(seat, tr("Player %1 is replaced by the robot %2").arg(seat + 1).arg(robot));
}

void Tarvenix::parseEndPlayer(int seat)
{
    m_seats->removePlayer(seat);
    if (localPlayer(seat))
        m_mapModel->setLocalSeat(-1);
}

void Tarvenix::parseInit(int armies)
{
    if (!m_lobby->me())
        return;
    const GameRecord* game = m_lobby->myGame();
    // A new game starts with an empty hand and nothing chosen on the board.
    resetGame();
    m_seats->setCurrent(-1);
    m_mapModel->setHighlighted(-1);
    const int seat = m_mapModel->localSeat();
    if (seat >= 0 && game)
        m_mapModel->setArmyTarget(armies);
    applyTurn(Turn::init(armies, seat, game != nullptr, game && game->options.capitals,
                         armies - m_mapModel->armiesOf(seat)));
}

void Tarvenix::parsePlace(int seat, int armies)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    m_seats->setCurrent(seat);
    if (entry->cardArmies > 0)
        m_seats->setCardArmies(seat, 0);
    if (localPlayer(seat))
        m_mapModel->setArmyTarget(m_mapModel->armiesOf(seat) + armies);
    applyTurn(Turn::place(seat, entry->name, armies, m_mapModel->localSeat()));
}

void Tarvenix::parseDecide(int seat)
{
    m_seats->setCurrent(seat);
    const PlayerEntry* entry = m_seats->entry(seat);
    m_mapModel->clearSelection();
    applyTurn(Turn::decide(seat, entry ? entry->name : QString(), m_mapModel->countriesOf(seat),
                           m_mapModel->localSeat(), m_mapModel->doOrDie()));
}

void Tarvenix::parseMore(int seat)
{
    m_seats->setCurrent(seat);
    m_mapModel->clearSelection();
    applyTurn(Turn::more(seat, m_mapModel->localSeat(), m_mapModel->doOrDie()));
}

void Tarvenix::parseAttack(int from, int to, int dice, bool doOrDie)
{
    m_mapModel->clearSelection();
    const Country* attacking = m_mapModel->country(from);
    const Country* attacked = m_mapModel->country(to);
    if (!attacking || !attacked)
        return;
    m_mapModel->highlightCountry(from);
    m_mapModel->highlightCountry(to);
    applyTurn(Turn::attack(attacking->name, attacked->name, attacking->owner, dice, doOrDie));
}

// The throw itself reaches the board straight from the parser.
void Tarvenix::parseDefend() {}

void Tarvenix::parseDice(int, int, int, int, int, int, int) {}

void Tarvenix::parseTake(int from, int to, int minimum)
{
    const Country* attacking = m_mapModel->country(from);
    if (!attacking)
        return;
    const Country* conquered = m_mapModel->country(to);
    const TakeChoice choice = Turn::take(m_mapModel->localSeat(), attacking->owner,
                                         attacking->armies, conquered, minimum);
    switch (choice.kind) {
    case TakeChoice::Ignore:
        break;
    case TakeChoice::SendAtOnce:
        m_sender->take(choice.minimum);
        break;
    case TakeChoice::Choose:
        raisePage(MovePage);
        m_move->setCountry1(from, attacking->name, attacking->armies);
        m_move->setCountry2(to, conquered->name, conquered->armies);
        m_move->doTake(choice.minimum, choice.maximum);
        m_mapModel->setMode(MapMode::Idle);
        break;
    }
}

void Tarvenix::parseCard(int card)
{
    m_cards->addCard(card);
}

void Tarvenix::parseCardCount(int seat, int count)
{
    m_seats->setCards(seat, count);
}

void Tarvenix::parseExchange(int seat)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    m_seats->setCurrent(seat);
    gameLine(seat, tr("%1 must exchange cards").arg(entry->name));
}

void Tarvenix::parseExchanged(int seat, int armies)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    // Never below no cards, should the counts disagree.
    m_seats->exchanged(seat, armies);
    gameLine(seat, tr("%1 receives %2 armies for exchanging cards").arg(entry->name).arg(armies));
}

void Tarvenix::parseEnd()
{
    m_mapModel->clearSelection();
    raisePage(CardsPage);
    applyTurn(Turn::end());
}

void Tarvenix::parseWinner(int seat)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    applyTurn(Turn::winner(seat, entry->name));
}

void Tarvenix::parseClock(int seconds)
{
    m_buttonBar->setTimer(seconds);
    if (!m_lobby->me())
        m_buttonBar->waiting();
}
