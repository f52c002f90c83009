#include "battleodds.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

// Rounds by attack dice (1..3) and defence dice (1..2): the chance of each
// number of attacker losses, found by rolling every combination once.
struct RoundTable
{
    std::array<std::array<std::array<double, 3>, 3>, 4> p{};

    RoundTable()
    {
        for (int a = 1; a <= 3; ++a) {
            for (int d = 1; d <= 2; ++d) {
                const int faces = a + d;
                int total = 1;
                for (int i = 0; i < faces; ++i)
                    total *= 6;
                std::array<int, 3> counts{};
                for (int code = 0; code < total; ++code) {
                    std::array<int, 3> att{};
                    std::array<int, 2> def{};
                    int c = code;
                    for (int i = 0; i < a; ++i, c /= 6)
                        att[size_t(i)] = c % 6 + 1;
                    for (int i = 0; i < d; ++i, c /= 6)
                        def[size_t(i)] = c % 6 + 1;
                    // Unrolled dice are 0 and sort last.
                    std::sort(att.begin(), att.end(), std::greater<>());
                    std::sort(def.begin(), def.end(), std::greater<>());
                    int lost = 0;
                    for (int i = 0; i < std::min(a, d); ++i)
                        lost += att[size_t(i)] <= def[size_t(i)];
                    ++counts[size_t(lost)];
                }
                for (int k = 0; k < 3; ++k)
                    p[size_t(a)][size_t(d)][size_t(k)] = double(counts[size_t(k)]) / total;
            }
        }
    }
};

const RoundTable& rounds()
{
    static const RoundTable table;
    return table;
}

// Battles up to this size are solved exactly; larger ones are scaled down
// to it, which keeps the ratio that decides them.
constexpr int Limit = 96;

struct BattleTable
{
    // win[a][d] and the expected survivors of a won battle.
    std::vector<double> winP;
    std::vector<double> survivors;

    BattleTable() : winP(size_t(Limit + 1) * (Limit + 1)), survivors(winP.size())
    {
        const RoundTable& r = rounds();
        for (int a = 0; a <= Limit; ++a) {
            for (int d = 0; d <= Limit; ++d) {
                if (d == 0) {
                    at(winP, a, d) = 1;
                    at(survivors, a, d) = a;
                    continue;
                }
                if (a == 0) {
                    at(winP, a, d) = 0;
                    at(survivors, a, d) = 0;
                    continue;
                }
                const int ad = std::min(a, 3);
                const int dd = std::min(d, 2);
                const int fought = std::min(ad, dd);
                double w = 0;
                double s = 0;
                for (int lost = 0; lost <= fought; ++lost) {
                    const double p = r.p[size_t(ad)][size_t(dd)][size_t(lost)];
                    const int na = a - lost;
                    const int nd = d - (fought - lost);
                    w += p * at(winP, na, nd);
                    s += p * at(winP, na, nd) * at(survivors, na, nd);
                }
                at(winP, a, d) = w;
                at(survivors, a, d) = w > 0 ? s / w : 0;
            }
        }
    }

    static double& at(std::vector<double>& v, int a, int d)
    {
        return v[size_t(a) * (Limit + 1) + d];
    }
    double get(const std::vector<double>& v, int a, int d) const
    {
        return v[size_t(a) * (Limit + 1) + d];
    }
};

// Built at start-up rather than on first use: robots look battles up
// millions of times a game, and the guard of a local static showed as a
// quarter of the Hard robot's time.
const BattleTable kBattles;

void scale(int& a, int& d)
{
    const int top = std::max(a, d);
    if (top > Limit) {
        a = int(double(a) * Limit / top);
        d = int(double(d) * Limit / top);
    }
}

} // namespace

double BattleOdds::round(int attackDice, int defendDice, int attackerLosses)
{
    if (attackDice < 1 || attackDice > 3 || defendDice < 1 || defendDice > 2 ||
        attackerLosses < 0 || attackerLosses > std::min(attackDice, defendDice))
        return 0;
    return rounds().p[size_t(attackDice)][size_t(defendDice)][size_t(attackerLosses)];
}

double BattleOdds::win(int attackers, int defenders)
{
    if (defenders <= 0)
        return 1;
    if (attackers <= 0)
        return 0;
    scale(attackers, defenders);
    return kBattles.get(kBattles.winP, attackers, std::max(defenders, 1));
}

double BattleOdds::survivorsIfWon(int attackers, int defenders)
{
    if (attackers <= 0)
        return 0;
    const int original = attackers;
    scale(attackers, defenders);
    const double s = kBattles.get(kBattles.survivors, attackers, std::max(defenders, 0));
    return attackers > 0 ? s * original / attackers : 0;
}
