#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAbstractButton;
class QToolButton;
class QWidget;
class Tarvenix;

// One person at the real client: a main window of his own, pointed at a
// server on 127.0.0.1, driven only through what a user can reach: dialogs,
// buttons, the board and the card hand, with synthetic clicks and typing.
// Every step waits for its effect and returns false with error() saying
// what was missing.
//
// During a game the player follows the server's prompts (the messages that
// ask his seat to act) and answers each with one gesture chosen by the
// strategy in strategy.h; before each gesture he checks that the client
// shows the state the prompt calls for.
class Player : public QObject
{
    Q_OBJECT

public:
    enum class Prompt { None, Setup, Decide, Place, Attack, Take, Exchange };

    struct Stats
    {
        int turns = 0;
        int placings = 0;
        int attacks = 0;
        int choices = 0;
        int moves = 0;
        int exchanges = 0;
    };

    // What one seat of the player list showed when the game was won.
    struct Seat
    {
        QString name;
        bool robot = false;
    };

    Player(const QString& nickname, quint16 port);
    ~Player() override;

    Tarvenix* window() const { return m_window.get(); }
    const QString& nickname() const { return m_nickname; }
    const QString& error() const { return m_error; }

    // The account, through the login and registration dialogs and the
    // logout question.
    bool registerAccount(const QString& password);
    bool logOut();
    bool logIn(const QString& password);

    // The lobby: a new game from the games window on the map whose slot in
    // the new-game dialog reads `mapLabel` (popular or personal) for at
    // least `minHumans` human players, robots
    // from the robot dialog, joining from the games list, and Start.
    bool openGame(const QString& mapLabel, int minHumans = 1, bool personal = false);
    bool addRobot(const QString& name);
    bool joinGame(int gameId);
    bool startGame();
    int gameId() const;

    // The chat window's game channel: types the line and presses Return.
    bool sayInGame(const QString& text);
    // The lines of the chat window's game channel, as shown.
    QStringList gameChannel() const;
    // The game output's lines, as shown.
    QStringList output() const;

    // The prompt waits for a gesture of this player.
    bool hasPrompt() const { return m_prompt != Prompt::None && m_serial != m_answered; }
    Prompt prompt() const { return m_prompt; }
    // Answers the current prompt with one gesture; false (with error())
    // when the client is not in the state the prompt calls for or the
    // gesture cannot be made.
    bool act();
    bool isOver() const { return m_winner >= 0; }
    int seat() const { return m_seat; }
    int winnerSeat() const { return m_winner; }
    // The player list as it stood when the game began and when the winner
    // was announced (defeated seats have left it by then).
    const QList<Seat>& startSeats() const { return m_startSeats; }
    const QList<Seat>& finalSeats() const { return m_finalSeats; }
    const Stats& stats() const { return m_stats; }

    // What the seat holds as this client shows it: armies by own country,
    // the hand sorted, and the prompt waiting for him.
    struct Holding
    {
        QMap<int, int> armies;
        QList<int> cards;
        Prompt prompt = Prompt::None;
    };
    Holding holding() const;

    // Closes the client's socket, as a broken network would; the prompt
    // that was waiting is forgotten with the connection.
    void loseConnection();

private:
    void track();
    void setPrompt(Prompt prompt);
    QList<Seat> seats() const;
    bool fail(const QString& why);
    bool waitFor(const std::function<bool()>& condition, const QString& what,
                 int timeoutMs = 20000);
    bool click(QAbstractButton* button, const QString& what);
    QToolButton* barButton(const char* keyWord) const;
    bool press(const char* keyWord);
    QWidget* visibleDialog(const QString& objectName);
    bool type(QWidget* parent, const QString& editName, const QString& text);

    // Picture pixels a click lands on, one per country of the map shown.
    void findSpots();
    bool clickCountry(int number, Qt::MouseButton button = Qt::LeftButton);

    bool actSetup();
    bool actDecide();
    bool actPlace();
    bool actAttack();
    bool actTake();
    // Selects a set in the hand and presses Cards; false when the hand
    // holds none (no gesture is made then).
    bool exchangeSet(bool* exchanged);

    QString m_nickname;
    std::unique_ptr<Tarvenix> m_window;
    QString m_error;
    int m_spotsOfMap = -1;
    QHash<int, QPoint> m_spots;

    Prompt m_prompt = Prompt::None;
    int m_serial = 0;
    int m_answered = 0;
    int m_seat = -1;
    int m_winner = -1;
    bool m_movedThisTurn = false;
    QList<Seat> m_startSeats;
    QList<Seat> m_finalSeats;
    Stats m_stats;
};

// Lets every player answer his prompts until `done` holds before the next
// gesture; false with the reason when a player fails or the game stalls for
// `stallMs` without a prompt for any of them.
bool playUntil(const QList<Player*>& players, const std::function<bool()>& done, QString* error,
               int stallMs = 60000);
// Plays until each player has seen the winner.
bool playToEnd(const QList<Player*>& players, QString* error, int stallMs = 60000);
