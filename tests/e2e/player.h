#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QAbstractButton;
class QWidget;
class Tarvenix;

// One person at the real client, a main window of his own, driven only
// through what a user can reach with synthetic clicks and typing. Every step
// waits for its effect and returns false with error() saying what was
// missing. In a game he answers each of the server's prompts for his seat
// with one gesture of a simple, deterministic strategy.
class Player : public QObject
{
    Q_OBJECT

public:
    enum class Prompt { None, Setup, Decide, Place, Attack, Take, Exchange };

    struct Stats
    {
        int attacks = 0;
        int choices = 0;
        int moves = 0;
        int exchanges = 0;
    };

    Player(const QString& nickname, quint16 port);
    ~Player() override;

    Tarvenix* window() const { return m_window.get(); }
    const QString& error() const { return m_error; }

    bool registerAccount(const QString& password);
    // A game from the lobby's New button on the map whose personal slot in
    // the new-game dialog reads `mapLabel`, with one human seat and the
    // robots, started.
    bool startGame(const QString& mapLabel, const QStringList& robots);
    // The lobby's Play against robots, with the new-game dialog's choices
    // as they stand, until the game runs.
    bool playAgainstRobots();

    bool hasPrompt() const { return m_prompt != Prompt::None && m_serial != m_answered; }
    Prompt prompt() const { return m_prompt; }
    // Answers every prompt until `done` holds before the next gesture;
    // false when a gesture fails or the game stalls for a minute.
    bool playUntil(const std::function<bool()>& done);
    bool isOver() const { return m_over; }
    const Stats& stats() const { return m_stats; }

private:
    void track();
    void setPrompt(Prompt prompt);
    bool fail(const QString& why);
    bool waitFor(const std::function<bool()>& condition, const QString& what);
    bool click(QAbstractButton* button, const QString& what);
    bool click(QWidget* parent, const char* buttonName);
    bool press(const char* keyWord);
    QWidget* visibleDialog(const QString& objectName);
    bool addRobot(const QString& name);
    bool clickCountry(int number, Qt::MouseButton button = Qt::LeftButton);

    // Answers the current prompt with one gesture.
    bool act();
    // Selects a set in the hand and presses Cards, or does `otherwise` when
    // the hand holds none.
    bool exchangeOr(const std::function<bool()>& otherwise);

    QString m_nickname;
    std::unique_ptr<Tarvenix> m_window;
    QString m_error;
    Prompt m_prompt = Prompt::None;
    int m_serial = 0;
    int m_answered = 0;
    int m_seat = -1;
    bool m_over = false;
    bool m_movedThisTurn = false;
    Stats m_stats;
};
