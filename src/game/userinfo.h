#pragma once

#include "gamelimits.h"

#include <QString>

// One logged-on user as the server announced him. The game he is in is kept
// as the game's id, so removing a game entry can never leave a user pointing
// at freed memory; the lobby resolves the id when it needs the entry.
struct UserInfo
{
    UserInfo(const QString& nickname, const QString& hostname);

    // The text the friend and enemy masks are matched against.
    QString matchText() const;

    QString nickname;
    QString hostname;
    int gameId = 0; // 0: in no game
    int rating = Rules::StartingRating;
    int games = 0;
    int level = 1;
    bool observer = false;
    bool member = false;
    QString smilie;
    bool isFriend = false;
    bool isEnemy = false;
    bool admin = false;
    qint64 lastActive = 0; // seconds since the epoch
};
