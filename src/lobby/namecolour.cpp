#include "namecolour.h"

QColor nameColour(bool admin, bool isFriend, bool isEnemy, const QColor& ordinary)
{
    if (admin)
        return QColor(0, 0, 128);
    if (isFriend && isEnemy)
        return QColor(255, 127, 0);
    if (isFriend)
        return QColor(0, 128, 0);
    if (isEnemy)
        return QColor(255, 0, 0);
    return ordinary;
}
