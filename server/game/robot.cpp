#include "robot.h"

#include "easyrobot.h"
#include "expertrobot.h"
#include "hardrobot.h"
#include "normalrobot.h"
#include "randomplayer.h"

std::unique_ptr<Robot> Robot::create(Level level, Random& random)
{
    switch (level) {
    case Level::Random:
        return std::make_unique<RandomPlayer>(random);
    case Level::Easy:
        return std::make_unique<EasyRobot>(random);
    case Level::Normal:
        return std::make_unique<NormalRobot>(random);
    case Level::Hard:
        return std::make_unique<HardRobot>(random);
    case Level::Expert:
        return std::make_unique<ExpertRobot>(random);
    }
    return nullptr;
}

GameAction Robot::act(const GameEngine& game, int seat)
{
    const GameView v(game, seat);
    switch (game.need(seat)) {
    case GameEngine::Need::Capital: {
        const int c = capital(v);
        return action::Capital{v.board().number(c)};
    }
    case GameEngine::Need::PlaceInitial:
        return placeInitial(v);
    case GameEngine::Need::Exchange:
        return action::Exchange{*bestSet(v)};
    case GameEngine::Need::Decide:
    case GameEngine::Need::Place:
        if (wantsTrade(v)) {
            if (const auto set = bestSet(v))
                return action::Exchange{*set};
        }
        if (game.need(seat) == GameEngine::Need::Decide)
            return decide(v);
        return place(v);
    case GameEngine::Need::Take:
        return action::Take{take(v)};
    case GameEngine::Need::Attack:
    case GameEngine::Need::Nothing:
        break;
    }
    return attackOrMove(v);
}

int Robot::capital(const GameView& v)
{
    // The country least exposed to attack.
    int best = -1;
    int bestThreat = 0;
    for (int c : own(v)) {
        const int threat = enemyArmiesAround(v, c) - v.armies(c);
        if (best < 0 || threat < bestThreat) {
            best = c;
            bestThreat = threat;
        }
    }
    return best;
}

bool Robot::wantsTrade(const GameView&)
{
    return true;
}

GameAction Robot::decide(const GameView&)
{
    return action::PlaceArmies{};
}

std::vector<int> Robot::distanceToBorder(const GameView& v)
{
    const int n = v.countries();
    std::vector<int> distance(size_t(n), -1);
    std::vector<int> queue;
    queue.reserve(size_t(n));
    for (int c = 0; c < n; ++c) {
        if (v.mine(c) && isBorder(v, c)) {
            distance[size_t(c)] = 0;
            queue.push_back(c);
        }
    }
    for (size_t i = 0; i < queue.size(); ++i) {
        const int c = queue[i];
        for (int m : v.board().country(c).neighbours) {
            if (v.mine(m) && distance[size_t(m)] < 0) {
                distance[size_t(m)] = distance[size_t(c)] + 1;
                queue.push_back(m);
            }
        }
    }
    return distance;
}

GameAction Robot::bringForward(const GameView& v)
{
    const std::vector<int> distance = distanceToBorder(v);
    int bestFrom = -1;
    int bestTo = -1;
    int bestArmies = 0;
    for (int c : own(v)) {
        const int d = distance[size_t(c)];
        const int armies = v.movable(c);
        if (d <= 0 || armies <= bestArmies)
            continue;
        // Towards the neighbour nearest the front, the most threatened one
        // among those on it.
        int to = -1;
        int toThreat = -1;
        for (int m : v.board().country(c).neighbours) {
            if (!v.mine(m) || distance[size_t(m)] != d - 1)
                continue;
            const int threat = d == 1 ? enemyArmiesAround(v, m) - v.armies(m) : 0;
            if (to < 0 || threat > toThreat) {
                to = m;
                toThreat = threat;
            }
        }
        if (to >= 0) {
            bestFrom = c;
            bestTo = to;
            bestArmies = armies;
        }
    }
    if (bestFrom < 0)
        return action::EndTurn{};
    return action::Move{v.board().number(bestFrom), v.board().number(bestTo), bestArmies};
}

std::vector<int> Robot::own(const GameView& v)
{
    std::vector<int> result;
    for (int c = 0; c < v.countries(); ++c) {
        if (v.mine(c))
            result.push_back(c);
    }
    return result;
}

int Robot::enemyArmiesAround(const GameView& v, int c)
{
    int n = 0;
    for (int m : v.board().country(c).neighbours) {
        if (!v.mine(m))
            n += v.armies(m);
    }
    return n;
}

int Robot::enemyNeighbours(const GameView& v, int c)
{
    int n = 0;
    for (int m : v.board().country(c).neighbours)
        n += !v.mine(m);
    return n;
}

std::optional<std::array<int, 3>> Robot::bestSet(const GameView& v)
{
    const std::vector<int>& hand = v.hand();
    std::optional<std::array<int, 3>> best;
    int bestValue = -1;
    const size_t n = hand.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            for (size_t k = j + 1; k < n; ++k) {
                const std::array<int, 3> set{hand[i], hand[j], hand[k]};
                if (!GameEngine::isSet(set))
                    continue;
                // Among equal values keep the jokers for later.
                const int jokers = (set[0] == GameEngine::Joker) + (set[1] == GameEngine::Joker) +
                                   (set[2] == GameEngine::Joker);
                const int value = v.setValue(set) * 4 - jokers;
                if (value > bestValue) {
                    bestValue = value;
                    best = set;
                }
            }
        }
    }
    return best;
}

action::Attack Robot::attackWithAll(const GameView& v, int from, int to, bool doOrDie)
{
    return action::Attack{v.board().number(from), v.board().number(to),
                          std::min(3, v.armies(from) - 1), doOrDie};
}
