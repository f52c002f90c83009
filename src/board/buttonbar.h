#pragma once

#include "barstate.h"
#include "clock.h"

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QToolBar>

#include <array>
#include <initializer_list>

class QToolButton;

// The main window's bar of game actions with the turn clock at its end. It
// knows nothing of the game: the main window moves it between its states and
// listens to its signals.
class ButtonBar : public QToolBar
{
    Q_OBJECT

public:
    explicit ButtonBar(QWidget* parent = nullptr);

    Clock* clock() const { return m_clock; }
    const BarState& state() const { return m_state; }
    // Shows every button's enabled and toggled state at once.
    void setState(const BarState& state);

    // Presses the game button that the key stands for, as a click would, if
    // that button is enabled; false for any other key.
    bool pressKey(QKeyCombination key);

    // The keys that press the button from elsewhere, named in its tooltip.
    void setKeyText(BarState::Button which, const QString& keys);
    // Why the button is off, said by its tooltip while it is; empty for none.
    void setDisabledReason(BarState::Button which, const QString& reason);
    // What the button does, without its key.
    static QString description(BarState::Button which);

public slots:
    void setChatEnabled(bool on);
    void setUsersEnabled(bool on);
    void setLeaveEnabled(bool on);
    void setStartEnabled(bool on);
    void setPlaceEnabled(bool on);
    void setAttackEnabled(bool on);
    void setDoOrDieEnabled(bool on);
    void setMoveEnabled(bool on);
    void setFinishEnabled(bool on);
    void setStoreEnabled(bool on);
    void setCardsEnabled(bool on);
    void setConfigEnabled(bool on);
    void setRobotEnabled(bool on);

    void setPlaceToggled(bool on);
    void setAttackToggled(bool on);
    void setDoOrDieToggled(bool on);
    void setMoveToggled(bool on);

    void connected();
    void notConnected();
    void inGame();
    void notInGame();
    void notPlaying();
    void placing();
    void decide(bool attack);
    void more(bool attack);
    void moveState();
    void waiting();

    void setTimer(int seconds);
    void stopTimer();
    // A mark on the Chat button: something arrived while the chat window
    // was closed.
    void setChatMarked(bool marked);

signals:
    void chat();
    void users();
    void leave();
    void start();
    void place();
    void attack();
    void doOrDie();
    void move();
    void finish();
    void store();
    void cards();
    void config();
    void robot();

private:
    QToolButton* addButton(const char* keyWord, const QString& text, bool toggle,
                           void (ButtonBar::*signal)());
    // Lets the keys press the button and names them in its tooltip.
    void setKeys(QToolButton* button, std::initializer_list<Qt::Key> keys);
    QToolButton* button(BarState::Button which) const;
    void updateToolTip(BarState::Button which);

    BarState m_state;
    std::array<QString, BarState::ButtonCount> m_keyTexts;
    std::array<QString, BarState::ButtonCount> m_reasons;

    QPointer<QToolButton> m_chat;
    QPointer<QToolButton> m_users;
    QPointer<QToolButton> m_leave;
    QPointer<QToolButton> m_start;
    QPointer<QToolButton> m_place;
    QPointer<QToolButton> m_attack;
    QPointer<QToolButton> m_doOrDie;
    QPointer<QToolButton> m_move;
    QPointer<QToolButton> m_finish;
    QPointer<QToolButton> m_store;
    QPointer<QToolButton> m_cards;
    QPointer<QToolButton> m_config;
    QPointer<QToolButton> m_robot;
    QPointer<Clock> m_clock;
    QHash<int, QToolButton*> m_keys;
    QIcon m_chatIcon;
    bool m_chatMarked = false;
};
