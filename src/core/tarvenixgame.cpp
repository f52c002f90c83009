// The messages of a running game: seats, the start, turns, attacks,
// conquests, cards and the end. What each one does to the board's mode, the
// button bar and the output is the turn state machine's decision; these
// handlers look up what it needs and carry the decision out.

#include "tarvenix.h"

#include "boardpanel.h"
#include "buttonbar.h"
#include "cards.h"
#include "chatview.h"
#include "gamelimits.h"
#include "gameoverpanel.h"
#include "lobbymodel.h"
#include "map.h"
#include "move.h"
#include "parser.h"
#include "playerlist.h"
#include "robotroster.h"
#include "sender.h"
#include "turn.h"

#include <QStackedWidget>
#include <QToolBar>

namespace {

bool validSeat(int seat)
{
    return seat >= 0 && seat < PlayerList::Seats;
}

// Rating, level and games of a robot as the roster knows it, or a new
// robot's when it does not.
RobotInfo robotRecord(const RobotRoster& roster, const QString& name)
{
    if (const RobotInfo* robot = roster.find(name))
        return *robot;
    return {name, QString(), Rules::StartingRating, 0, 1};
}

} // namespace

void Tarvenix::createGame()
{
    m_cards = new Cards(m_stack);
    m_move = new Move(m_stack);
    addPage(CardsPage, m_cards);
    addPage(MovePage, m_move);
    raisePage(CardsPage);

    m_chronicle = std::make_unique<GameChronicle>(*m_mapModel);
}

void Tarvenix::createBoardPanels()
{
    m_gameOver = new GameOverPanel(m_map);
    m_outNotice = new BoardPanel(m_map);
    m_outNotice->setObjectName(QStringLiteral("OutNotice"));
    connect(m_gameOver, &BoardPanel::leaveClicked, this, &Tarvenix::actionLeaveGame);
    connect(m_outNotice, &BoardPanel::leaveClicked, this, &Tarvenix::actionLeaveGame);
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
    m_map->endPreview();
    m_mapModel->clearSelection();
    if (m_stack->currentWidget() == m_move)
        raisePage(CardsPage);
}

bool Tarvenix::localPlayer(int seat) const
{
    return seat >= 0 && seat == m_mapModel->localSeat();
}

void Tarvenix::gameLines(const QList<TurnLine>& lines)
{
    for (const TurnLine& line : lines)
        gameLine(line.seat, line.text);
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
        const RobotInfo record = robotRecord(*m_robots, name);
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
    // The server names every seat again when the game starts; the player
    // already read who sits there.
    const PlayerEntry* known = m_seats->entry(seat);
    if (!known || known->name != name || known->robot != robot)
        gameLine(seat, tr("Player %1: %2 (%3)").arg(QString::number(seat + 1), name, type));
    m_chronicle->player(seat, name, robot);
    m_seats->setPlayer(seat, name, rating, level, games, robot, isFriend, isEnemy, admin);
}

void Tarvenix::parseReplace(int seat, const QString& robot)
{
    if (!validSeat(seat))
        return;
    const RobotInfo record = robotRecord(*m_robots, robot);
    const QList<TurnLine> cause = m_chronicle->replaced(seat);
    gameLines(cause);
    m_seats->setRobot(seat, robot, record.rating, record.level, record.games);
    gameLine(seat,
             tr("Player %1 is replaced by the robot %2").arg(QString::number(seat + 1), robot));
    m_chronicle->player(seat, robot, true);
    // A robot now plays the local player's seat: he only watches.
    if (localPlayer(seat))
        localSeatOut(cause.isEmpty() ? SeatExit::Left : SeatExit::TimedOut, -1);
}

void Tarvenix::parseEndPlayer(int seat)
{
    if (m_seats->entry(seat)) {
        const GameChronicle::Exit exit = m_chronicle->seatOut(seat);
        gameLines(exit.lines);
        if (localPlayer(seat))
            localSeatOut(exit.how, exit.by);
    }
    m_seats->removePlayer(seat);
    if (localPlayer(seat))
        m_mapModel->setLocalSeat(-1);
}

void Tarvenix::localSeatOut(SeatExit how, int by)
{
    const int seat = m_mapModel->localSeat();
    const bool asked = m_partRequested;
    m_mapModel->setLocalSeat(-1);
    // Before the start a seat is only given up, nothing is lost.
    if (!m_chronicle->isStarted())
        return;
    m_map->endPreview();
    m_mapModel->clearSelection();
    m_mapModel->setMode(MapMode::Idle);
    raisePage(CardsPage);
    m_buttonBar->notPlaying();
    if (asked || m_chronicle->isOver())
        return;
    m_seatLost = true;
    QString title;
    switch (how) {
    case SeatExit::Defeated: {
        const PlayerEntry* winner = m_seats->entry(by);
        title = winner ? tr("You have been defeated by %1").arg(winner->name)
                       : tr("You have been defeated");
        break;
    }
    case SeatExit::TimedOut:
        title = tr("The turn timer has removed you from the game");
        break;
    case SeatExit::Left:
        title = tr("You no longer play in this game");
        break;
    }
    gameLine(seat, tr("You are out of the game: watch it to its end, or leave it."));
    m_outNotice->setTitle(title);
    m_outNotice->setText(tr("You can watch the game to its end, or leave it."));
    m_outNotice->popUp();
}

void Tarvenix::parseInit(int armies)
{
    if (!m_lobby->me())
        return;
    const GameRecord* game = m_lobby->myGame();
    // A new game starts with an empty hand and nothing chosen on the board.
    resetGame();
    m_map->clearDice();
    m_gameOver->hide();
    m_outNotice->hide();
    m_chronicle->init(game ? game->options.timerMode : -1);
    m_seats->setCurrent(-1);
    m_mapModel->setHighlighted(-1);
    const int seat = m_mapModel->localSeat();
    if (seat >= 0 && game)
        m_mapModel->setArmyTarget(armies);
    const int toPlace = armies - m_mapModel->armiesOf(seat);
    applyTurn(Turn::init(armies, seat, game != nullptr, game && game->options.capitals, toPlace));
    if (seat >= 0 && game)
        alertTurn(game->options.capitals ? TurnAlert::Prompt::Capital : TurnAlert::Prompt::Place,
                  toPlace);
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
    gameLines(m_chronicle->prompt(seat, armies));
    applyTurn(Turn::place(seat, entry->name, armies, m_mapModel->localSeat()));
    if (localPlayer(seat))
        alertTurn(TurnAlert::Prompt::Place, armies);
}

void Tarvenix::parseDecide(int seat)
{
    m_seats->setCurrent(seat);
    const PlayerEntry* entry = m_seats->entry(seat);
    m_mapModel->clearSelection();
    gameLines(m_chronicle->prompt(seat, m_chronicle->reinforcements(seat)));
    applyTurn(Turn::decide(seat, entry ? entry->name : QString(), m_mapModel->countriesOf(seat),
                           m_mapModel->localSeat(), m_mapModel->doOrDie()));
    if (localPlayer(seat))
        alertTurn(TurnAlert::Prompt::Decide);
}

void Tarvenix::parseMore(int seat)
{
    m_seats->setCurrent(seat);
    m_mapModel->clearSelection();
    gameLines(m_chronicle->prompt(seat, -1));
    applyTurn(Turn::more(seat, m_mapModel->localSeat(), m_mapModel->doOrDie()));
    if (localPlayer(seat))
        alertTurn(TurnAlert::Prompt::More);
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
    gameLines(m_chronicle->attack(from, to, doOrDie));
    applyTurn(Turn::attack(attacking->name, attacked->name, attacking->owner, dice, doOrDie));
}

// The throw itself reaches the board straight from the parser; the chronicle
// keeps it for the summary.
void Tarvenix::parseDefend() {}

void Tarvenix::parseDice(int attacker, int attack1, int attack2, int attack3, int defender,
                         int defence1, int defence2)
{
    m_chronicle->dice({attacker, {attack1, attack2, attack3}, defender, {defence1, defence2}});
}

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
        updateStatusLine();
        alertTurn(TurnAlert::Prompt::Take);
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
    gameLines(m_chronicle->prompt(seat, -1));
    gameLine(seat, tr("%1 must exchange cards").arg(entry->name));
    if (localPlayer(seat))
        alertTurn(TurnAlert::Prompt::Exchange);
}

void Tarvenix::parseExchanged(int seat, int armies)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    // Never below no cards, should the counts disagree.
    m_seats->exchanged(seat, armies);
    m_chronicle->exchanged(seat);
    gameLine(
        seat,
        tr("%1 receives %2 armies for exchanging cards").arg(entry->name, QString::number(armies)));
}

void Tarvenix::parseEnd()
{
    // A move the server did not carry out shows no more.
    m_map->endPreview();
    m_mapModel->clearSelection();
    raisePage(CardsPage);
    gameLines(m_chronicle->turnEnd());
    applyTurn(Turn::end());
}

void Tarvenix::parseWinner(int seat)
{
    const PlayerEntry* entry = m_seats->entry(seat);
    if (!entry)
        return;
    gameLines(m_chronicle->winner(seat));
    applyTurn(Turn::winner(seat, entry->name));
    // Nothing is left to count down.
    m_buttonBar->stopTimer();
    m_outNotice->hide();
    showGameOver();
}

void Tarvenix::showGameOver()
{
    QList<GameOverPanel::Row> rows;
    for (int seat = 0; seat < SeatTable::Seats; ++seat) {
        const SeatFigures figures = m_chronicle->figures(seat);
        if (figures.present)
            rows << GameOverPanel::Row{m_playerList->seatColor(seat), figures,
                                       seat == m_chronicle->winnerSeat()};
    }
    m_gameOver->showSummary(m_chronicle->figures(m_chronicle->winnerSeat()).name,
                            m_chronicle->turnCount(), m_chronicle->durationMs(), rows);
}

void Tarvenix::actionLeaveGame()
{
    if (m_lobby->myGame()) {
        m_partRequested = true;
        m_sender->part();
        return;
    }
    clearFinishedBoard();
}

void Tarvenix::clearFinishedBoard()
{
    // Neither panel is there before the whole window is built.
    if (m_gameOver) {
        m_gameOver->hide();
        m_outNotice->hide();
    }
    m_chronicle->reset();
    m_seatLost = false;
    if (!m_boardKept)
        return;
    m_boardKept = false;
    m_map->showEmpty();
    m_map->setEmptyHint(wayInHint());
    showEditor();
}

void Tarvenix::parseClock(int seconds)
{
    m_chronicle->clock(seconds);
    m_buttonBar->setTimer(seconds);
    if (!m_lobby->me())
        m_buttonBar->waiting();
}
