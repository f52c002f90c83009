#pragma once

#include "testclient.h"

#include <QMap>
#include <QMultiMap>
#include <QObject>

#include <algorithm>
#include <functional>

// One person at the table, from the messages alone: the board as he sees
// it, his seat and his cards. He plays the least he can (every army on one
// country, no attack) or, as an attacker, conquers once and then waits with
// the conquest untaken. Before each of his turns he notes the board and his
// hand, which is what a save at the turn's start holds.
class Person
{
public:
    enum class Mode { Passive, Attacker, Waiting };
    // Each country's owner and armies.
    using Board = QMap<int, QPair<int, int>>;

    explicit Person(TestClient& client) : m_client(client)
    {
        Parser& p = client.parser;
        QObject::connect(&p, &Parser::player, &m_context,
                         [this](int s, bool robot, const QString& name) {
                             if (!robot && name == m_client.nickname)
                                 seat = s;
                         });
        QObject::connect(&p, &Parser::neighbourMap, &m_context,
                         [this](int a, int b) { m_neighbours.insert(a, b); });
        QObject::connect(&p, &Parser::country, &m_context, [this](int c, int owner, int armies) {
            board[c] = {owner, armies};
            if (c == m_placedOne) {
                m_placedOne = 0;
                atSave = board;
                asked = true;
            }
        });
        QObject::connect(&p, &Parser::card, &m_context, [this](int c) { cards.append(c); });
        QObject::connect(&p, &Parser::init, &m_context, [this] {
            atSave = board;
            cardsAtSave = cards;
            m_answer = [this] {
                m_client.sender.all(ownCountry(false));
            };
            if (placeOneFirst) {
                // One army of the first placing, then he waits: the board
                // with it is what the save holds.
                placeOneFirst = false;
                m_placedOne = ownCountry(false);
                m_client.sender.place(m_placedOne);
                return;
            }
            asked = true;
            if (mode != Mode::Waiting)
                m_answer();
        });
        QObject::connect(&p, &Parser::decide, &m_context, [this](int s) {
            if (s != seat)
                return;
            // Turns to play before waiting, counted down at each of his turns.
            if (turnsBeforeWaiting >= 0 && turnsBeforeWaiting-- == 0)
                mode = Mode::Waiting;
            atSave = board;
            cardsAtSave = cards;
            asked = true;
            m_answer = [this] {
                m_client.sender.armies();
            };
            if (mode != Mode::Waiting)
                m_answer();
        });
        QObject::connect(&p, &Parser::place, &m_context, [this](int s) {
            if (s == seat && mode != Mode::Waiting)
                m_client.sender.all(ownCountry(mode == Mode::Attacker));
        });
        QObject::connect(&p, &Parser::more, &m_context, [this](int s) {
            if (s == seat && mode != Mode::Waiting)
                attackOrEnd();
        });
        QObject::connect(&p, &Parser::take, &m_context, [this](int from, int, int minimum) {
            if (board.value(from).first != seat)
                return;
            took = true;
            if (mode == Mode::Passive)
                m_client.sender.take(minimum);
        });
        QObject::connect(&p, &Parser::winner, &m_context, [this](int s) { winner = s; });
        QObject::connect(&p, &Parser::closed, &m_context, [this] { closed = true; });
    }

    // Plays on from where he waited.
    void play()
    {
        mode = Mode::Passive;
        if (m_answer)
            m_answer();
    }

    Mode mode = Mode::Passive;
    int turnsBeforeWaiting = -1;
    bool placeOneFirst = false;
    int seat = -1;
    Board board;
    QList<int> cards;
    // What the last save holds, as far as this person saw it.
    Board atSave;
    QList<int> cardsAtSave;
    bool asked = false;
    bool took = false;
    bool closed = false;
    int winner = -1;

private:
    bool enemyNear(int c) const
    {
        for (auto it = m_neighbours.constFind(c); it != m_neighbours.cend() && it.key() == c; ++it)
            if (board.value(it.value()).first != seat)
                return true;
        return false;
    }
    int ownCountry(bool front) const
    {
        for (auto it = board.cbegin(); it != board.cend(); ++it) {
            if (it.value().first == seat && (!front || enemyNear(it.key())))
                return it.key();
        }
        return front ? ownCountry(false) : 0;
    }
    void attackOrEnd()
    {
        if (mode == Mode::Attacker) {
            for (auto it = board.cbegin(); it != board.cend(); ++it) {
                const int from = it.key();
                if (it.value().first != seat || it.value().second < 2)
                    continue;
                for (auto n = m_neighbours.constFind(from);
                     n != m_neighbours.cend() && n.key() == from; ++n) {
                    if (board.value(n.value()).first != seat) {
                        m_client.sender.attack(from, n.value(), std::min(3, it.value().second - 1),
                                               true);
                        return;
                    }
                }
            }
        }
        m_client.sender.end();
    }

    TestClient& m_client;
    QObject m_context;
    QMultiMap<int, int> m_neighbours;
    // What he would say to the last question put to him.
    std::function<void()> m_answer;
    int m_placedOne = 0;
};
