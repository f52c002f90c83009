#include "userinfo.h"

UserInfo::UserInfo(const QString& nickname, const QString& hostname)
    : nickname(nickname), hostname(hostname)
{}

QString UserInfo::matchText() const
{
    return QStringLiteral("%1@%2").arg(nickname, hostname);
}
