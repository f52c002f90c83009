// The first steps of a newcomer: the line under the button bar that says
// what a click on the board does, the How to play page, the hints that lead
// into a game, and a game against robots in one step.

#include "tarvenix.h"

#include "buttonbar.h"
#include "chatview.h"
#include "clickhint.h"
#include "connection.h"
#include "helpdialog.h"
#include "hintline.h"
#include "lobbymodel.h"
#include "map.h"
#include "move.h"
#include "newgamedialog.h"
#include "operatorhints.h"
#include "parser.h"
#include "robotdialog.h"
#include "sender.h"
#include "usersdialog.h"

#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

void Tarvenix::createHints()
{
    // Under the button bar, where the eye goes after pressing a button.
    addToolBarBreak(Qt::TopToolBarArea);
    m_hintBar = new QToolBar(this);
    m_hintBar->setObjectName(QStringLiteral("HintBar"));
    m_hintBar->setWindowTitle(tr("Hints"));
    m_hintBar->setMovable(false);
    m_hintBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_hintBar);

    // The line takes the bar's width and never widens the window: a text
    // too long for it wraps, and the bar grows to show it whole.
    m_statusLine = new HintLine(m_hintBar);
    m_statusLine->setObjectName(QStringLiteral("StatusLine"));
    m_statusLine->setContentsMargins(6, 0, 6, 0);
    QFont bold = m_statusLine->font();
    bold.setBold(true);
    m_statusLine->setFont(bold);
    m_hintBar->addWidget(m_statusLine);

    auto* help = new QToolButton(m_hintBar);
    help->setObjectName(QStringLiteral("HelpButton"));
    help->setText(tr("How to play"));
    help->setToolTip(tr("How to play (F1)\nThe controls and the rules of the game"));
    help->setAutoRaise(true);
    m_hintBar->addWidget(help);
    connect(help, &QToolButton::clicked, this, &Tarvenix::actionHelp);

    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), this);
    key->setObjectName(QStringLiteral("HelpShortcut"));
    key->setContext(Qt::ApplicationShortcut);
    connect(key, &QShortcut::activated, this, &Tarvenix::actionHelp);
}

void Tarvenix::createHelp()
{
    m_helpDialog = new HelpDialog(this);
}

void Tarvenix::connectHelp()
{
    connect(m_map, &Map::clickRefused, this, &Tarvenix::showClickRefusal);
    connect(m_mapModel.get(), &MapModel::clickStateChanged, this, &Tarvenix::updateStatusLine);
    connect(m_mapModel.get(), &MapModel::selectionCleared, this, &Tarvenix::updateStatusLine);
    connect(m_mapModel.get(), &MapModel::labelChanged, this, &Tarvenix::updateStatusLine);

    connect(m_usersDialog, &UsersDialog::playAgainstRobots, this,
            &Tarvenix::actionPlayAgainstRobots);
    connect(m_newGameDialog, &NewGameDialog::robotGame, this, &Tarvenix::actionRobotGame);
    // The levels to choose from are those of the robots the server offers.
    connect(m_parser, &Parser::robot, this, [this] {
        QList<int> levels;
        for (const RobotChoice& robot : m_robots->choices())
            levels << robot.level;
        m_newGameDialog->setRobotLevels(levels);
    });
}

QString Tarvenix::wayInHint()
{
    return tr("To play, open Users (Ctrl+U) and press Play against robots, or join a game "
              "there. F1 shows how to play.");
}

void Tarvenix::actionHelp()
{
    completeBuild();
    bringUp(m_helpDialog);
}

QString Tarvenix::clickHint() const
{
    const QString hint = ClickHint::forMode(*m_mapModel);
    return hint.isEmpty() ? panelHint() : hint;
}

QString Tarvenix::panelHint() const
{
    if (!m_move || m_mapModel->mode() != MapMode::Idle || m_mapModel->localSeat() < 0 ||
        m_stack->currentWidget() != m_move)
        return {};
    return ClickHint::forPanel(m_move->isTakeMode(), m_move->country1().name,
                               m_move->country2().name);
}

void Tarvenix::showClickRefusal(const QString& reason)
{
    // While the panel asks, the board is not waiting for another turn: the
    // line keeps saying what the panel wants.
    m_refusal = panelHint().isEmpty() ? reason : QString();
    m_refusalHint = clickHint();
    updateStatusLine();
}

void Tarvenix::updateStatusLine()
{
    const QString hint = clickHint();
    // A refusal holds until the board asks for something else.
    if (!m_refusal.isEmpty() && hint != m_refusalHint)
        m_refusal.clear();
    QString text = m_refusal.isEmpty() ? hint : m_refusal;
    if (text.isEmpty())
        text = m_operatorLine;
    if (m_statusLine->text() != text) {
        m_statusLine->setText(text);
        m_statusLine->setToolTip(text);
    }
}

void Tarvenix::setOperatorHints(const GameRecord* game)
{
    const UserInfo* me = m_lobby->me();
    OperatorHints hints;
    if (game && me && game->operatorName == me->nickname && m_lobby->myGame() == game)
        hints = OperatorHints::forGame(*game);
    m_buttonBar->setDisabledReason(BarState::Start, hints.start);
    m_buttonBar->setDisabledReason(BarState::Robot, hints.robot);
    m_operatorLine = hints.line();
    updateStatusLine();
}

void Tarvenix::actionPlayAgainstRobots()
{
    // Without a map to play on yet, the dialog shows where one comes from.
    if (m_newGameDialog->maps()->anyMapId() < 1) {
        bringUp(m_newGameDialog);
        return;
    }
    m_newGameDialog->playAgainstRobots();
}

void Tarvenix::actionRobotGame(int mapId, int robots, int level)
{
    const UserInfo* me = m_lobby->me();
    if (!me)
        return;
    const QStringList chosen = RobotGamePlan::pick(m_robots->choices(), level, robots);
    if (chosen.isEmpty()) {
        addOutput(Qt::red, Qt::black, tr("The server offers no robots to play against"));
        return;
    }
    m_newGameDialog->hide();
    // The rules of the dialog, with room for the robots and one human.
    const NewGameOptions* o = m_newGameDialog->options();
    const NewGameTimer* t = m_newGameDialog->timer();
    m_sender->newGame(mapId, o->placeBeforeAttack(), o->capitals(), t->timeout(), o->sameHost(),
                      o->replaceBots(), o->increaseCards(), o->hideCards(), o->noWhisper(),
                      o->blind(), 1, t->ratingRange(), o->allowGifts(), o->getCards(),
                      t->timerMode(), o->sameLevel(), false);
    m_robotPlan.begin(me->nickname, chosen);
    addOutput(Qt::lightGray, Qt::black, tr("Opening a game against %1").arg(chosen.join(tr(", "))));
}

void Tarvenix::startRobotGame()
{
    m_sender->start();
    // The game was asked for from the lobby, which is a window of its own:
    // the board comes to the front for the first placing.
    bringUp(this);
}

void Tarvenix::advanceRobotPlan(const GameRecord* game)
{
    const UserInfo* me = m_lobby->me();
    if (!game || !me || !m_robotPlan.isActive())
        return;
    switch (m_robotPlan.gameChanged(*game, me->gameId)) {
    case RobotGamePlan::Step::AddRobots:
        for (const QString& robot : m_robotPlan.robots())
            m_sender->robot(robot);
        break;
    case RobotGamePlan::Step::Start:
        startRobotGame();
        break;
    case RobotGamePlan::Step::None:
        break;
    }
}
