#pragma once

#include "seating.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// One occupied seat of the current game.
struct PlayerEntry
{
    QString name;
    bool robot = false;
    int rating = 0;
    int level = 0;
    int games = 0;
    int cards = 0;
    // Armies received so far for exchanged cards.
    int cardArmies = 0;
    bool isFriend = false;
    bool isEnemy = false;
    bool admin = false;

    bool operator==(const PlayerEntry&) const = default;
};

// The six seats of the current game with their players and the seat whose
// turn it is. Seats outside 0 to 5 are ignored everywhere.
class SeatTable : public QObject
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;

    explicit SeatTable(QObject* parent = nullptr);

    static bool isSeat(int seat) { return seat >= 0 && seat < Seats; }

    // A robot never counts as a friend, an enemy or an administrator.
    void setPlayer(int seat, const QString& name, int rating, int level, int games, bool robot,
                   bool isFriend, bool isEnemy, bool admin);
    void setRobot(int seat, const QString& name, int rating, int level, int games);
    void removePlayer(int seat);
    // Empties every seat; nobody's turn.
    void clear();

    void setCurrent(int seat);
    int current() const { return m_current; }

    const PlayerEntry* entry(int seat) const;
    void setCards(int seat, int cards);
    void setCardArmies(int seat, int armies);
    // An exchange: the armies add up, three cards go.
    void exchanged(int seat, int armies);

    // The first seat with exactly that name, or -1.
    int seatOf(const QString& name, bool humansOnly) const;
    // The flags follow the user's masks: every human seat of that name,
    // whatever its case.
    void makeFriend(const QString& name, bool isFriend);
    void makeEnemy(const QString& name, bool isEnemy);

signals:
    void changed();

private:
    PlayerEntry* mutableEntry(int seat);
    template <typename Change> void changeHumans(const QString& name, Change change);

    std::array<std::optional<PlayerEntry>, Seats> m_entries;
    int m_current = -1;
};
