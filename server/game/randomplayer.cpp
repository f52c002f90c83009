#include "randomplayer.h"

int RandomPlayer::capital(const GameView& v)
{
    const std::vector<int> mine = own(v);
    return mine[size_t(pick(int(mine.size())))];
}

bool RandomPlayer::wantsTrade(const GameView&)
{
    return pick(2) == 0;
}

GameAction RandomPlayer::anyPlacement(const GameView& v)
{
    const std::vector<int> mine = own(v);
    const int i = pick(int(mine.size()) * 2);
    return action::Place{v.board().number(mine[size_t(i / 2)]), i % 2 == 1};
}

GameAction RandomPlayer::placeInitial(const GameView& v)
{
    return anyPlacement(v);
}

GameAction RandomPlayer::place(const GameView& v)
{
    return anyPlacement(v);
}

std::vector<GameAction> RandomPlayer::choices(const GameView& v, bool attacks, bool moves)
{
    std::vector<GameAction> out;
    for (int c : own(v)) {
        for (int m : v.board().country(c).neighbours) {
            const int from = v.board().number(c);
            const int to = v.board().number(m);
            if (attacks && !v.mine(m)) {
                for (int dice = 1; dice <= std::min(3, v.armies(c) - 1); ++dice) {
                    out.push_back(action::Attack{from, to, dice, false});
                    out.push_back(action::Attack{from, to, dice, true});
                }
            } else if (moves && v.mine(m) && v.movable(c) > 0) {
                out.push_back(action::Move{from, to, 0});
            }
        }
    }
    return out;
}

GameAction RandomPlayer::decide(const GameView& v)
{
    std::vector<GameAction> options = choices(v, true, false);
    options.push_back(action::PlaceArmies{});
    return options[size_t(pick(int(options.size())))];
}

GameAction RandomPlayer::attackOrMove(const GameView& v)
{
    const bool attacking = v.step() == GameEngine::Step::Attack;
    std::vector<GameAction> options = choices(v, attacking, true);
    options.push_back(action::EndTurn{});
    GameAction chosen = options[size_t(pick(int(options.size())))];
    if (auto* move = std::get_if<action::Move>(&chosen))
        move->armies = 1 + pick(v.movable(v.board().indexOf(move->from)));
    return chosen;
}

int RandomPlayer::take(const GameView& v)
{
    const int most = v.armies(v.takeFrom()) - 1;
    return v.takeMinimum() + pick(most - v.takeMinimum() + 1);
}
