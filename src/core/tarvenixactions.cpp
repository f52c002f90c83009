// The player's turn: clicks on the board, the game buttons with their keys,
// the move panel and the card hand.

#include "tarvenix.h"

#include "buttonbar.h"
#include "cards.h"
#include "map.h"
#include "move.h"
#include "sender.h"
#include "turn.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextEdit>

void Tarvenix::connectGameActions()
{
    connect(m_buttonBar, &ButtonBar::cards, m_cards, &Cards::exchange);
    connect(m_buttonBar, &ButtonBar::attack, this, &Tarvenix::actionAttack);
    connect(m_buttonBar, &ButtonBar::doOrDie, this, &Tarvenix::actionDoOrDie);
    connect(m_buttonBar, &ButtonBar::finish, this, &Tarvenix::actionFinish);
    connect(m_buttonBar, &ButtonBar::move, this, qOverload<>(&Tarvenix::actionMove));

    connect(m_cards, &Cards::validSelection, this, &Tarvenix::actionValidSelection);
    connect(m_cards, &Cards::invalidSelection, this, &Tarvenix::actionInvalidSelection);
    connect(m_cards, &Cards::exchanged, m_sender, &Sender::exchange);

    connect(m_map, &Map::capitalPicked, this, &Tarvenix::actionCapital);
    connect(m_map, &Map::placeArmies, this, &Tarvenix::actionPlaceArmies);
    connect(m_map, &Map::attack, m_sender, &Sender::attack);
    connect(m_map, &Map::doMove, this, qOverload<int, int>(&Tarvenix::actionMove));

    connect(m_move, &Move::changeCountry, this, &Tarvenix::actionMoveSlider);
    connect(m_move, &Move::move, this, qOverload<int, int, int>(&Tarvenix::actionMove));
    connect(m_move, &Move::take, this, &Tarvenix::actionTake);
    connect(m_move, &Move::cancel, this, &Tarvenix::actionCancelMove);
}

void Tarvenix::confirmMove()
{
    if (m_stack->currentWidget() != m_move)
        return;
    m_move->okClicked();
    raisePage(CardsPage);
}

void Tarvenix::actionCapital(int country)
{
    const int seat = m_mapModel->localSeat();
    applyTurn(Turn::capitalChosen(seat, m_mapModel->armyTarget() - m_mapModel->armiesOf(seat)));
    m_sender->capital(country);
}

void Tarvenix::actionPlaceArmies(int country, bool all)
{
    if (all)
        m_sender->all(country);
    else
        m_sender->place(country);
}

void Tarvenix::actionAttack()
{
    confirmMove();
    m_buttonBar->setAttackToggled(true);
    m_buttonBar->setDoOrDieToggled(false);
    m_mapModel->clearSelection();
    m_mapModel->setDoOrDie(false);
    applyTurn(Turn::attackButton());
}

void Tarvenix::actionDoOrDie()
{
    confirmMove();
    m_buttonBar->setAttackToggled(false);
    m_buttonBar->setDoOrDieToggled(true);
    m_mapModel->clearSelection();
    m_mapModel->setDoOrDie(true);
    applyTurn(Turn::attackButton());
}

void Tarvenix::actionMove()
{
    confirmMove();
    m_mapModel->clearSelection();
    applyTurn(Turn::moveButton());
}

void Tarvenix::actionMove(int from, int to)
{
    const Country* source = m_mapModel->country(from);
    const Country* target = m_mapModel->country(to);
    if (!source || !target)
        return;
    raisePage(MovePage);
    m_move->setCountry1(from, source->name, source->armies);
    m_move->setCountry2(to, target->name, target->armies);
    m_move->doMove();
    m_mapModel->setMode(MapMode::Idle);
    updateStatusLine();
}

void Tarvenix::actionMoveSlider(int country, int armies)
{
    // Only shown: the country keeps its armies until the server moves them.
    m_map->previewArmies(country, armies);
}

void Tarvenix::actionMove(int from, int to, int armies)
{
    m_sender->move(from, to, armies);
    raisePage(CardsPage);
}

void Tarvenix::actionTake(int armies)
{
    m_sender->take(armies);
    raisePage(CardsPage);
}

void Tarvenix::actionCancelMove()
{
    m_map->endPreview();
    raisePage(CardsPage);
    m_mapModel->clearSelection();
    applyTurn(Turn::cancelMove(m_mapModel->doOrDie()));
}

void Tarvenix::actionFinish()
{
    confirmMove();
    m_mapModel->setMode(MapMode::Idle);
    m_mapModel->clearSelection();
    m_sender->end();
}

void Tarvenix::actionValidSelection()
{
    m_buttonBar->setCardsEnabled(true);
}

void Tarvenix::actionInvalidSelection()
{
    m_buttonBar->setCardsEnabled(false);
}

// Keys that reach the window were not wanted by the widget with the focus, so
// the move panel keeps its Return; a text field lets Return through, so none
// of the game buttons' keys count while one has the focus.
void Tarvenix::keyPressEvent(QKeyEvent* event)
{
    const QWidget* focus = focusWidget();
    const bool typing =
        qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus) ||
        qobject_cast<const QTextEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus);
    if (!typing && m_buttonBar->pressKey(event->keyCombination()))
        return;
    QMainWindow::keyPressEvent(event);
}
