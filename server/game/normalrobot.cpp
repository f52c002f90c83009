#include "normalrobot.h"

#include "battleodds.h"

#include <cmath>

NormalRobot::Plan NormalRobot::plan(const GameView& v) const
{
    const Board& b = v.board();
    Plan p;
    p.held.assign(size_t(b.continentCount()), false);
    double bestScore = 0;
    for (int k = 0; k < b.continentCount(); ++k) {
        const Board::Continent& continent = b.continent(k);
        if (continent.countries.empty())
            continue;
        int mine = 0;
        for (int c : continent.countries)
            mine += v.mine(c);
        const int size = int(continent.countries.size());
        if (mine == size) {
            p.held[size_t(k)] = true;
            continue;
        }
        if (mine == 0)
            continue;
        // Whatever it holds most of, bonus or not.
        const double score = double(mine) / size;
        if (score > bestScore) {
            bestScore = score;
            p.target = k;
        }
    }
    return p;
}

int NormalRobot::placement(const GameView& v, const Plan& p) const
{
    const Board& b = v.board();
    int defend = -1;
    double defendNeed = 0;
    int front = -1;
    double frontScore = -1e9;
    for (int c : own(v)) {
        const int enemies = enemyArmiesAround(v, c);
        if (enemies == 0)
            continue;
        const int k = b.country(c).continent;
        // A border of a held continent that an enemy could break.
        if (p.held[size_t(k)]) {
            const double need = (enemies - v.armies(c) + 2.0) * b.continent(k).bonus;
            if (need > defendNeed) {
                defendNeed = need;
                defend = c;
            }
        }
        double score = v.armies(c) * 0.2;
        for (int m : b.country(c).neighbours) {
            if (v.mine(m))
                continue;
            const bool inTarget = b.country(m).continent == p.target;
            score += (inTarget ? 3.0 : 0.5) / (1.0 + v.armies(m));
        }
        if (b.country(c).continent == p.target)
            score += 1.0;
        if (score > frontScore) {
            frontScore = score;
            front = c;
        }
    }
    if (defend >= 0 && defendNeed > 4)
        return defend;
    return front >= 0 ? front : own(v).front();
}

GameAction NormalRobot::placeInitial(const GameView& v)
{
    return action::Place{v.board().number(placement(v, plan(v))), false};
}

GameAction NormalRobot::place(const GameView& v)
{
    return action::Place{v.board().number(placement(v, plan(v))), true};
}

double NormalRobot::conquestValue(const GameView& v, const Plan& p, int country) const
{
    const Board& b = v.board();
    double value = 1.0;
    if (!v.conqueredThisTurn())
        value += 3.0;
    const int k = b.country(country).continent;
    const Board::Continent& continent = b.continent(k);
    if (k == p.target)
        value += 1.5;
    int mineThere = 0;
    bool heldByDefender = true;
    const int defender = v.owner(country);
    for (int c : continent.countries) {
        mineThere += v.mine(c);
        if (v.owner(c) != defender)
            heldByDefender = false;
    }
    if (mineThere == int(continent.countries.size()) - 1)
        value += 2.0 * continent.bonus;
    if (heldByDefender)
        value += continent.bonus;
    return value;
}

GameAction NormalRobot::attackOrMove(const GameView& v)
{
    if (v.step() == GameEngine::Step::Attack) {
        const Plan p = plan(v);
        int from = -1;
        int to = -1;
        double bestGain = 0;
        double bestP = 0;
        for (int c : own(v)) {
            const int attackers = v.armies(c) - 1;
            if (attackers < 1)
                continue;
            for (int m : v.board().country(c).neighbours) {
                if (v.mine(m))
                    continue;
                const double pw = BattleOdds::win(attackers, v.armies(m));
                const double value = conquestValue(v, p, m);
                // Worth it once the odds are good; valuable prizes justify
                // somewhat worse odds.
                const double needed = (value >= 5 ? 0.45 : (value >= 3 ? 0.6 : 0.75)) + 0.1;
                if (pw < needed || (attackers < 2 && v.armies(m) > 1))
                    continue;
                const double gain = pw * value - (1 - pw) * 1.5;
                if (gain > bestGain) {
                    bestGain = gain;
                    bestP = pw;
                    from = c;
                    to = m;
                }
            }
        }
        if (from >= 0)
            return attackWithAll(v, from, to, bestP > 0.8);
    }
    return bringForward(v);
}

int NormalRobot::take(const GameView& v)
{
    const int from = v.takeFrom();
    const int to = v.takeTo();
    const int least = v.takeMinimum();
    const int most = v.armies(from) - 1;
    const int behind = enemyArmiesAround(v, from);
    const int ahead = enemyArmiesAround(v, to);
    if (behind == 0)
        return most;
    if (ahead == 0)
        return least;
    const int share = int(std::lround(double(most) * ahead / double(ahead + behind)));
    return std::clamp(share, least, most);
}
