#pragma once

class GameRecord;
struct UserInfo;

// Which of the lobby's game buttons are usable, decided from the own user
// record, the game he is in, and the rows currently chosen in the lists.
struct LobbyButtons
{
    bool join = false;
    bool watch = false;
    bool kick = false;
    bool newGame = false;
};

// me: the own user record or null; myGame: the entry of the game he is in or
// null; selectedGame, selectedUser: the current rows of the lists or null.
LobbyButtons lobbyButtons(const UserInfo* me, const GameRecord* myGame,
                          const GameRecord* selectedGame, const UserInfo* selectedUser);
