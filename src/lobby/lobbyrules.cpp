#include "lobbyrules.h"

#include "gamerecord.h"
#include "userinfo.h"

LobbyButtons lobbyButtons(const UserInfo* me, const GameRecord* myGame,
                          const GameRecord* selectedGame, const UserInfo* selectedUser)
{
    LobbyButtons buttons;
    if (!me)
        return buttons;
    // Someone seated in a game that is under way must not wander off from it.
    const bool playsInRunningGame = myGame && myGame->running && !me->observer;
    buttons.newGame = !playsInRunningGame;
    buttons.watch = selectedGame && !playsInRunningGame;
    buttons.join = selectedGame && !playsInRunningGame && !selectedGame->running &&
                   selectedGame->players < GameRecord::MaxPlayers;
    buttons.kick = selectedUser && myGame && myGame->operatorName == me->nickname &&
                   selectedUser->gameId == myGame->id &&
                   (!myGame->running || selectedUser->observer);
    return buttons;
}
