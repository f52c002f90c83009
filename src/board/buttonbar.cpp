#include "buttonbar.h"

#include "clock.h"
#include "datadirectories.h"

#include <QIcon>
#include <QKeySequence>
#include <QPainter>
#include <QPixmap>
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
    // A click presses or releases a toggle button by itself; the state
    // follows, so that the next state shown keeps what the user chose.
    const std::pair<QToolButton*, BarState::Toggle> toggles[] = {
        {m_place, BarState::PlaceToggle},
        {m_attack, BarState::AttackToggle},
        {m_doOrDie, BarState::DoOrDieToggle},
        {m_move, BarState::MoveToggle}};
    for (const auto& [toggleButton, toggle] : toggles) {
        connect(toggleButton, &QToolButton::toggled, this,
                [this, toggle = toggle](bool on) { m_state = m_state.withToggled(toggle, on); });
    }
    setState(m_state);
    for (int i = 0; i < BarState::ButtonCount; ++i)
        updateToolTip(BarState::Button(i));

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
    button->setIcon(QIcon(DataDirectories::resolve(QStringLiteral("Buttons/%1.png").arg(word))));
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
    for (int i = 0; i < BarState::ButtonCount; ++i) {
        if (this->button(BarState::Button(i)) == button)
            setKeyText(BarState::Button(i), names.join(tr(", ")));
    }
}

void ButtonBar::setKeyText(BarState::Button which, const QString& keys)
{
    m_keyTexts[which] = keys;
    updateToolTip(which);
}

void ButtonBar::setDisabledReason(BarState::Button which, const QString& reason)
{
    m_reasons[which] = reason;
    updateToolTip(which);
}

QString ButtonBar::description(BarState::Button which)
{
    switch (which) {
    case BarState::Chat:
        return tr("Opens the chat window");
    case BarState::Users:
        return tr("Opens the games and users: join, watch or open a game, or play against "
                  "robots");
    case BarState::Leave:
        return tr("Leaves the game you are in; outside a game, logs out");
    case BarState::Start:
        return tr("Starts the game you opened");
    case BarState::Place:
        return tr("Places your armies now; after that you may still attack");
    case BarState::Attack:
        return tr("Attacks with one roll of the dice: click one of your countries, then an "
                  "enemy neighbour");
    case BarState::DoOrDie:
        return tr("Attacks until the country falls or only one army is left to attack with");
    case BarState::Move:
        return tr("Ends your attacks: click two of your neighbouring countries to move armies "
                  "between them");
    case BarState::Finish:
        return tr("Ends your turn");
    case BarState::Store:
        return tr("Keeps this game's map in one of your personal map slots");
    case BarState::Cards:
        return tr("Trades the three cards you selected for armies");
    case BarState::Config:
        return tr("Sets the seats' colours and the fonts");
    case BarState::Robot:
        return tr("Adds a robot player to the game you opened");
    case BarState::ButtonCount:
        break;
    }
    return {};
}

void ButtonBar::updateToolTip(BarState::Button which)
{
    QToolButton* b = button(which);
    QString tip =
        m_keyTexts[which].isEmpty() ? b->text() : tr("%1 (%2)").arg(b->text(), m_keyTexts[which]);
    tip += QLatin1Char('\n') + description(which);
    if (!b->isEnabled() && !m_reasons[which].isEmpty())
        tip += QLatin1Char('\n') + m_reasons[which];
    b->setToolTip(tip);
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
    setState(m_state.withEnabled(BarState::Chat, on));
}
void ButtonBar::setUsersEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Users, on));
}
void ButtonBar::setLeaveEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Leave, on));
}
void ButtonBar::setStartEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Start, on));
}
void ButtonBar::setPlaceEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Place, on));
}
void ButtonBar::setAttackEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Attack, on));
}
void ButtonBar::setDoOrDieEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::DoOrDie, on));
}
void ButtonBar::setMoveEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Move, on));
}
void ButtonBar::setFinishEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Finish, on));
}
void ButtonBar::setStoreEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Store, on));
}
void ButtonBar::setCardsEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Cards, on));
}
void ButtonBar::setConfigEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Config, on));
}
void ButtonBar::setRobotEnabled(bool on)
{
    setState(m_state.withEnabled(BarState::Robot, on));
}
void ButtonBar::setPlaceToggled(bool on)
{
    setState(m_state.withToggled(BarState::PlaceToggle, on));
}
void ButtonBar::setAttackToggled(bool on)
{
    setState(m_state.withToggled(BarState::AttackToggle, on));
}
void ButtonBar::setDoOrDieToggled(bool on)
{
    setState(m_state.withToggled(BarState::DoOrDieToggle, on));
}
void ButtonBar::setMoveToggled(bool on)
{
    setState(m_state.withToggled(BarState::MoveToggle, on));
}

void ButtonBar::connected()
{
    setState(m_state.connected());
}

void ButtonBar::notConnected()
{
    setState(m_state.notConnected());
}

void ButtonBar::inGame()
{
    setState(m_state.inGame());
}

void ButtonBar::notInGame()
{
    setState(m_state.notInGame());
}

void ButtonBar::notPlaying()
{
    setState(m_state.notPlaying());
}

void ButtonBar::placing()
{
    setState(m_state.placing());
}

void ButtonBar::decide(bool attack)
{
    setState(m_state.decide(attack));
}

void ButtonBar::more(bool attack)
{
    setState(m_state.more(attack));
}

void ButtonBar::moveState()
{
    setState(m_state.moveState());
}

void ButtonBar::waiting()
{
    setState(m_state.waiting());
}

QToolButton* ButtonBar::button(BarState::Button which) const
{
    const QPointer<QToolButton> buttons[] = {m_chat,   m_users,   m_leave, m_start,  m_place,
                                             m_attack, m_doOrDie, m_move,  m_finish, m_store,
                                             m_cards,  m_config,  m_robot};
    return buttons[which];
}

void ButtonBar::setState(const BarState& state)
{
    m_state = state;
    for (int i = 0; i < BarState::ButtonCount; ++i) {
        const auto which = BarState::Button(i);
        QToolButton* b = button(which);
        if (b->isEnabled() == state.isEnabled(which))
            continue;
        b->setEnabled(state.isEnabled(which));
        if (!m_reasons[which].isEmpty())
            updateToolTip(which);
    }
    m_place->setChecked(state.isToggled(BarState::PlaceToggle));
    m_attack->setChecked(state.isToggled(BarState::AttackToggle));
    m_doOrDie->setChecked(state.isToggled(BarState::DoOrDieToggle));
    m_move->setChecked(state.isToggled(BarState::MoveToggle));
}

void ButtonBar::setTimer(int seconds)
{
    m_clock->set(seconds);
}

void ButtonBar::stopTimer()
{
    m_clock->stop();
}

void ButtonBar::setChatMarked(bool marked)
{
    if (marked == m_chatMarked)
        return;
    m_chatMarked = marked;
    if (m_chatIcon.isNull())
        m_chatIcon = m_chat->icon();
    m_chat->setProperty("marked", marked);
    if (!marked) {
        m_chat->setIcon(m_chatIcon);
        m_chat->setToolTip(QString());
        return;
    }
    // A red dot in the icon's top right corner, in every size the icon has.
    const QSize size = m_chat->iconSize();
    QPixmap badge = m_chatIcon.pixmap(size, m_chat->devicePixelRatioF());
    if (badge.isNull()) {
        badge = QPixmap(size * m_chat->devicePixelRatioF());
        badge.setDevicePixelRatio(m_chat->devicePixelRatioF());
        badge.fill(Qt::transparent);
    }
    {
        QPainter painter(&badge);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal d = size.height() * 0.45;
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(QColor(0xd0, 0x20, 0x20));
        painter.drawEllipse(QRectF(size.width() - d - 1, 1, d, d));
    }
    m_chat->setIcon(QIcon(badge));
    m_chat->setToolTip(tr("A whisper arrived while the chat window was closed"));
}
