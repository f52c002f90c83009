#include "testplayer.h"

#include "cardset.h"
#include "testclient.h"

TestPlayer::TestPlayer(TestClient& client, QObject* parent) : QObject(parent), m_client(client)
{
    Parser& p = client.parser;
    connect(&p, &Parser::startMap, this, [this] {
        m_countries.clear();
        m_neighbours.clear();
        m_owner.clear();
        m_armies.clear();
    });
    connect(&p, &Parser::countryMap, this, [this](int number) { m_countries.append(number); });
    connect(&p, &Parser::neighbourMap, this, [this](int a, int b) {
        m_neighbours[a].append(b);
        m_neighbours[b].append(a);
    });
    connect(&p, &Parser::player, this, [this](int seat, bool robot, const QString& name) {
        if (!robot && name == m_client.nickname)
            m_seat = seat;
    });
    connect(&p, &Parser::endPlayer, this, [this](int seat) {
        if (seat == m_seat)
            m_seat = -1;
    });
    connect(&p, &Parser::country, this, [this](int country, int owner, int armies) {
        m_owner[country] = owner;
        m_armies[country] = armies;
    });
    connect(&p, &Parser::card, this, [this](int card) { m_hand.append(card); });
    connect(&p, &Parser::winner, this, [this](int seat) { m_winner = seat; });

    connect(&p, &Parser::init, this, [this] {
        if (m_seat < 0 || !answering())
            return;
        if (capitals) {
            for (int c : std::as_const(m_countries)) {
                if (mine(c)) {
                    m_client.sender.capital(c);
                    break;
                }
            }
        }
        placeAll();
    });
    connect(&p, &Parser::place, this, [this](int seat) {
        if (seat == m_seat && answering())
            placeAll();
    });
    connect(&p, &Parser::decide, this, [this](int seat) {
        if (seat == m_seat && answering()) {
            ++m_answers;
            m_client.sender.armies();
        }
    });
    connect(&p, &Parser::more, this, [this](int seat) {
        if (seat == m_seat && answering())
            attackOrEnd();
    });
    connect(&p, &Parser::take, this, [this](int from) {
        if (mine(from) && answering()) {
            ++m_answers;
            m_client.sender.take(armies(from) - 1);
        }
    });
    connect(&p, &Parser::exchange, this, [this](int seat) {
        if (seat == m_seat && answering())
            trade();
    });
}

int TestPlayer::countriesOf(int seat) const
{
    int n = 0;
    for (auto it = m_owner.cbegin(); it != m_owner.cend(); ++it)
        n += it.value() == seat;
    return n;
}

bool TestPlayer::answering()
{
    m_asked = true;
    if (!m_idle && idleWhen && idleWhen())
        m_idle = true;
    if (m_idle)
        return false;
    m_asked = false;
    return true;
}

void TestPlayer::placeAll()
{
    // The border country with the most armies; any own country when none
    // borders an enemy (it has won, or the rest is out of sight).
    int best = -1;
    int bestArmies = -1;
    bool bestOnBorder = false;
    for (int c : std::as_const(m_countries)) {
        if (!mine(c))
            continue;
        bool border = false;
        for (int n : m_neighbours.value(c))
            border = border || !mine(n);
        if ((border && !bestOnBorder) || (border == bestOnBorder && armies(c) > bestArmies)) {
            best = c;
            bestArmies = armies(c);
            bestOnBorder = border;
        }
    }
    if (best < 0)
        return;
    ++m_answers;
    m_client.sender.all(best);
}

void TestPlayer::attackOrEnd()
{
    for (int c : std::as_const(m_countries)) {
        if (!mine(c) || armies(c) < 3)
            continue;
        for (int n : m_neighbours.value(c)) {
            if (!mine(n) && armies(n) + 2 <= armies(c)) {
                ++m_answers;
                m_client.sender.attack(c, n, std::min(3, armies(c) - 1), true);
                return;
            }
        }
    }
    ++m_answers;
    m_client.sender.end();
}

void TestPlayer::trade()
{
    const qsizetype n = m_hand.size();
    for (qsizetype i = 0; i < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            for (qsizetype k = j + 1; k < n; ++k) {
                const int a = m_hand[i];
                const int b = m_hand[j];
                const int c = m_hand[k];
                if (!Rules::isSet(a, b, c))
                    continue;
                m_hand.removeAt(k);
                m_hand.removeAt(j);
                m_hand.removeAt(i);
                ++m_answers;
                m_client.sender.exchange(a, b, c);
                return;
            }
        }
    }
}
