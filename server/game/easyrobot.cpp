#include "easyrobot.h"

namespace {

// A stack: thirty armies or more.
constexpr int StackSize = 30;

// An attack it sees through whatever happens: a stack against half of it at
// most.
bool overwhelms(int attackers, int defenders)
{
    return attackers >= StackSize && attackers >= 2 * defenders;
}

} // namespace

int EasyRobot::capital(const GameView& v)
{
    const std::vector<int> mine = own(v);
    return mine[size_t(pick(int(mine.size())))];
}

bool EasyRobot::wantsTrade(const GameView&)
{
    return false;
}

int EasyRobot::randomBorder(const GameView& v)
{
    std::vector<int> border;
    for (int c : own(v)) {
        if (isBorder(v, c))
            border.push_back(c);
    }
    if (border.empty())
        border = own(v);
    return border[size_t(pick(int(border.size())))];
}

GameAction EasyRobot::placeInitial(const GameView& v)
{
    return action::Place{v.board().number(randomBorder(v)), true};
}

GameAction EasyRobot::place(const GameView& v)
{
    return action::Place{v.board().number(randomBorder(v)), true};
}

GameAction EasyRobot::attackOrMove(const GameView& v)
{
    if (v.step() == GameEngine::Step::Attack) {
        std::vector<std::pair<int, int>> options;
        for (int c : own(v)) {
            for (int m : v.board().country(c).neighbours) {
                if (!v.mine(m) && v.armies(c) >= v.armies(m) + 2)
                    options.emplace_back(c, m);
            }
        }
        if (!options.empty()) {
            const auto [from, to] = options[size_t(pick(int(options.size())))];
            // It loses interest now and then, even with attacks left, but
            // not while a stack far bigger than anything it meets rolls on:
            // late in a game two such stacks would otherwise wander round
            // each other for ever.
            if (overwhelms(v.armies(from), v.armies(to)) || pick(6) != 0)
                return attackWithAll(v, from, to, true);
        }
    }
    return stackForward(v);
}

GameAction EasyRobot::stackForward(const GameView& v)
{
    // A stack left behind the lines by its conquests would sit there for
    // ever; late in a game of growing sets two robots then hold thousands of
    // armies each where neither can fight, and the game never ends. Such a
    // stack goes one step a turn towards the border.
    const std::vector<int> distance = distanceToBorder(v);
    for (int c : own(v)) {
        if (distance[size_t(c)] <= 0 || v.movable(c) < StackSize)
            continue;
        for (int m : v.board().country(c).neighbours) {
            if (v.mine(m) && distance[size_t(m)] == distance[size_t(c)] - 1)
                return action::Move{v.board().number(c), v.board().number(m), v.movable(c)};
        }
    }
    return action::EndTurn{};
}

int EasyRobot::take(const GameView& v)
{
    return v.armies(v.takeFrom()) - 1;
}
