#include "buttonbar.h"

#include "clock.h"

#include <QIcon>
#include <QKeySequence>
#include <QToolButton>

ButtonBar::ButtonBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("ButtonBar"));
    setWindowTitle(tr("Buttons"));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setMovable(false);

    m_chat = addButton("Chat", tr("Chat"), false, &ButtonBar::chat);
    m_users = addButton("Users", tr("Users"), false, &ButtonBar::users);
    m_leave = addButton("Leave", tr("Leave"), false, &ButtonBar::leave);
    m_start = addButton("Start", tr("Start"), false, &ButtonBar::start);
    m_place = addButton("Place", tr("Place"), true, &ButtonBar::place);
    m_attack = addButton("Attack", tr("Attack"), true, &ButtonBar::attack);
    m_doOrDie = addButton("DoOrDie", tr("Do or Die"), true, &ButtonBar::doOrDie);
    m_move = addButton("Move", tr("Move"), true, &ButtonBar::move);
    m_finish = addButton("Finish", tr("Finish"), false, &ButtonBar::finish);
    m_store = addButton("Store", tr("Store"), false, &ButtonBar::store);
    m_cards = addButton("Cards", tr("Cards"), false, &ButtonBar::cards);
    m_config = addButton("Config", tr("Config"), false, &ButtonBar::config);
    m_robot = addButton("Robot", tr("Robot"), false, &ButtonBar::robot);
    m_config->setEnabled(true);

    setKeys(m_place, {Qt::Key_P});
    setKeys(m_attack, {Qt::Key_A});
    setKeys(m_doOrDie, {Qt::Key_D});
    setKeys(m_move, {Qt::Key_M});
    setKeys(m_finish, {Qt::Key_F, Qt::Key_Return});
    setKeys(m_cards, {Qt::Key_C});

    m_clock = new Clock(this);
    addWidget(m_clock);
}

QToolButton* ButtonBar::addButton(const char* keyWord, const QString& text, bool toggle,
                                  void (ButtonBar::*signal)())
{
    auto* button = new QToolButton(this);
    const QString word = QLatin1String(keyWord);
    button->setObjectName(QStringLiteral("Button") + word);
    // A missing picture leaves a button with its text only.
    button->setIcon(QIcon(QStringLiteral("Buttons/%1.png").arg(word)));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setCheckable(toggle);
    button->setEnabled(false);
    connect(button, &QToolButton::clicked, this, signal);
    addWidget(button);
    return button;
}

void ButtonBar::setKeys(QToolButton* button, std::initializer_list<Qt::Key> keys)
{
    QStringList names;
    for (Qt::Key key : keys) {
        m_keys.insert(key, button);
        names << QKeySequence(key).toString(QKeySequence::NativeText);
    }
    button->setToolTip(tr("%1 (%2)").arg(button->text(), names.join(tr(", "))));
}

bool ButtonBar::pressKey(QKeyCombination key)
{
    Qt::Key code = key.key();
    Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    // The keypad's Enter is Return.
    if (code == Qt::Key_Enter && modifiers == Qt::KeypadModifier) {
        code = Qt::Key_Return;
        modifiers = Qt::NoModifier;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    QToolButton* button = m_keys.value(code);
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void ButtonBar::setChatEnabled(bool on)
{
    m_chat->setEnabled(on);
}
void ButtonBar::setUsersEnabled(bool on)
{
    m_users->setEnabled(on);
}
void ButtonBar::setLeaveEnabled(bool on)
{
    m_leave->setEnabled(on);
}
void ButtonBar::setStartEnabled(bool on)
{
    m_start->setEnabled(on);
}
void ButtonBar::setPlaceEnabled(bool on)
{
    m_place->setEnabled(on);
}
void ButtonBar::setAttackEnabled(bool on)
{
    m_attack->setEnabled(on);
}
void ButtonBar::setDoOrDieEnabled(bool on)
{
    m_doOrDie->setEnabled(on);
}
void ButtonBar::setMoveEnabled(bool on)
{
    m_move->setEnabled(on);
}
void ButtonBar::setFinishEnabled(bool on)
{
    m_finish->setEnabled(on);
}
void ButtonBar::setStoreEnabled(bool on)
{
    m_store->setEnabled(on);
}
void ButtonBar::setCardsEnabled(bool on)
{
    m_cards->setEnabled(on);
}
void ButtonBar::setConfigEnabled(bool on)
{
    m_config->setEnabled(on);
}
void ButtonBar::setRobotEnabled(bool on)
{
    m_robot->setEnabled(on);
}

void ButtonBar::setPlaceToggled(bool on)
{
    m_place->setChecked(on);
}
void ButtonBar::setAttackToggled(bool on)
{
    m_attack->setChecked(on);
}
void ButtonBar::setDoOrDieToggled(bool on)
{
    m_doOrDie->setChecked(on);
}
void ButtonBar::setMoveToggled(bool on)
{
    m_move->setChecked(on);
}

void ButtonBar::setToggles(bool place, bool attack, bool doOrDie, bool move)
{
    setPlaceToggled(place);
    setAttackToggled(attack);
    setDoOrDieToggled(doOrDie);
    setMoveToggled(move);
}

void ButtonBar::setTurnButtons(bool place, bool attack, bool doOrDie, bool move, bool finish)
{
    setPlaceEnabled(place);
    setAttackEnabled(attack);
    setDoOrDieEnabled(doOrDie);
    setMoveEnabled(move);
    setFinishEnabled(finish);
}

void ButtonBar::connected()
{
    setChatEnabled(true);
    setUsersEnabled(true);
    setLeaveEnabled(true);
}

void ButtonBar::notConnected()
{
    notInGame();
    setLeaveEnabled(false);
    setChatEnabled(false);
    setUsersEnabled(false);
}

void ButtonBar::inGame()
{
    setStoreEnabled(true);
}

void ButtonBar::notInGame()
{
    notPlaying();
    setRobotEnabled(false);
    setStartEnabled(false);
    setStoreEnabled(false);
    setCardsEnabled(false);
}

void ButtonBar::notPlaying()
{
    setTurnButtons(false, false, false, false, false);
    setToggles(false, false, false, false);
}

void ButtonBar::placing()
{
    setTurnButtons(false, false, false, false, false);
    setToggles(true, false, false, false);
}

void ButtonBar::decide(bool attack)
{
    setTurnButtons(true, true, true, false, false);
    setToggles(false, attack, !attack, false);
}

void ButtonBar::more(bool attack)
{
    setTurnButtons(false, true, true, true, true);
    setToggles(false, attack, !attack, false);
}

void ButtonBar::moveState()
{
    setTurnButtons(false, true, true, true, true);
    setToggles(false, false, false, true);
}

void ButtonBar::waiting()
{
    setLeaveEnabled(true);
}

void ButtonBar::setTimer(int seconds)
{
    m_clock->set(seconds);
}
