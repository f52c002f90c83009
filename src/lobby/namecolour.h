#pragma once

#include <QColor>

// The colour a user's name is written in wherever users are listed (the
// lobby's users, the masks page, the game's player list): an administrator's
// first, then one on both masks, a friend's, an enemy's; anyone else gets
// `ordinary` (invalid by default: the list's own text colour).
QColor nameColour(bool admin, bool isFriend, bool isEnemy, const QColor& ordinary = {});
