#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class TestClient;

// A player for a test client: it follows its game from the messages alone,
// as the real client does, and answers whatever the game asks of its seat
// with a simple legal strategy. Everything goes on one country at a time:
// all armies on the strongest border country, do-or-die attacks wherever it
// has at least two armies more than the defender, everything it can into a
// conquest, the first set it finds when it must trade, no moves.
class TestPlayer : public QObject
{
    Q_OBJECT

public:
    explicit TestPlayer(TestClient& client, QObject* parent = nullptr);

    // Checked before each answer: once it holds, the player stops answering
    // for good (it idles, as a person who walked away does).
    std::function<bool()> idleWhen;
    // Pick a capital before the first placing.
    bool capitals = false;

    int seat() const { return m_seat; }
    bool isIdle() const { return m_idle; }
    // The game asked something of this seat and got no answer yet.
    bool isAsked() const { return m_asked; }
    int owner(int country) const { return m_owner.value(country, -1); }
    int armies(int country) const { return m_armies.value(country, 0); }
    // The map's countries.
    const QList<int>& countries() const { return m_countries; }
    QList<int> neighbours(int country) const { return m_neighbours.value(country); }
    int countriesOf(int seat) const;
    const QList<int>& hand() const { return m_hand; }
    // Requests this player sent for its seat.
    int answers() const { return m_answers; }
    int winner() const { return m_winner; }

private:
    bool mine(int country) const { return m_seat >= 0 && owner(country) == m_seat; }
    // False when the player idles instead.
    bool answering();
    void placeAll();
    void attackOrEnd();
    void trade();

    TestClient& m_client;
    int m_seat = -1;
    bool m_idle = false;
    bool m_asked = false;
    int m_answers = 0;
    int m_winner = -1;
    QList<int> m_countries;
    QHash<int, QList<int>> m_neighbours;
    QHash<int, int> m_owner;
    QHash<int, int> m_armies;
    QList<int> m_hand;
};
