#include "easyrobot.h"

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
        // It loses interest now and then, even with attacks left.
        if (!options.empty() && pick(6) != 0) {
            const auto [from, to] = options[size_t(pick(int(options.size())))];
            return attackWithAll(v, from, to, true);
        }
    }
    return action::EndTurn{};
}

int EasyRobot::take(const GameView& v)
{
    return v.armies(v.takeFrom()) - 1;
}
