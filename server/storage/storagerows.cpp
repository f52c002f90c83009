#include "storagerows.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

// A game's options by name, so that a stored game reads the same whatever
// order the protocol gives them.
QJsonObject optionsToJson(const GameOptions& o)
{
    return QJsonObject{
        {QStringLiteral("placeBeforeAttack"), o.placeBeforeAttack},
        {QStringLiteral("capitals"), o.capitals},
        {QStringLiteral("timeout"), o.timeout},
        {QStringLiteral("sameHosts"), o.sameHosts},
        {QStringLiteral("replaceBots"), o.replaceBots},
        {QStringLiteral("increasingCards"), o.increasingCards},
        {QStringLiteral("hideCards"), o.hideCards},
        {QStringLiteral("noWhispering"), o.noWhispering},
        {QStringLiteral("blind"), o.blind},
        {QStringLiteral("minHumans"), o.minHumans},
        {QStringLiteral("minRating"), o.minRating},
        {QStringLiteral("maxRating"), o.maxRating},
        {QStringLiteral("gifts"), o.gifts},
        {QStringLiteral("receiveCards"), o.receiveCards},
        {QStringLiteral("timerMode"), o.timerMode},
        {QStringLiteral("sameLevel"), o.sameLevel},
        {QStringLiteral("noRobots"), o.noRobots},
    };
}

GameOptions optionsFromJson(const QJsonObject& j)
{
    GameOptions o;
    const auto flag = [&](const char* name, bool& to) {
        to = j.value(QLatin1String(name)).toBool(to);
    };
    const auto number = [&](const char* name, int& to) {
        to = j.value(QLatin1String(name)).toInt(to);
    };
    flag("placeBeforeAttack", o.placeBeforeAttack);
    flag("capitals", o.capitals);
    number("timeout", o.timeout);
    flag("sameHosts", o.sameHosts);
    flag("replaceBots", o.replaceBots);
    flag("increasingCards", o.increasingCards);
    flag("hideCards", o.hideCards);
    flag("noWhispering", o.noWhispering);
    flag("blind", o.blind);
    number("minHumans", o.minHumans);
    number("minRating", o.minRating);
    number("maxRating", o.maxRating);
    flag("gifts", o.gifts);
    flag("receiveCards", o.receiveCards);
    number("timerMode", o.timerMode);
    flag("sameLevel", o.sameLevel);
    flag("noRobots", o.noRobots);
    return o;
}

} // namespace

namespace StorageRows {

Account account(const QSqlQuery& q)
{
    Account a;
    a.id = q.value(QStringLiteral("id")).toLongLong();
    a.nickname = q.value(QStringLiteral("nickname")).toString();
    a.passwordHash = q.value(QStringLiteral("password_hash")).toByteArray();
    for (const char* column :
         {"last_name", "first_name", "address", "zip", "city", "state", "country", "email"})
        a.contact.append(q.value(QLatin1String(column)).toString());
    a.rating = q.value(QStringLiteral("rating")).toInt();
    a.games = q.value(QStringLiteral("games")).toInt();
    a.level = q.value(QStringLiteral("level")).toInt();
    a.member = q.value(QStringLiteral("member")).toBool();
    a.admin = q.value(QStringLiteral("admin")).toBool();
    a.banned = q.value(QStringLiteral("banned")).toBool();
    a.smilie = q.value(QStringLiteral("smilie")).toString();
    return a;
}

QString optionsText(const GameOptions& options)
{
    return QString::fromUtf8(QJsonDocument(optionsToJson(options)).toJson(QJsonDocument::Compact));
}

GameOptions options(const QByteArray& text)
{
    return optionsFromJson(QJsonDocument::fromJson(text).object());
}

SavedGame savedGame(const QSqlQuery& q)
{
    SavedGame g;
    g.id = q.value(0).toInt();
    g.mapId = q.value(1).toInt();
    g.operatorName = q.value(2).toString();
    g.options = options(q.value(3).toString().toUtf8());
    g.engine = q.value(4).toByteArray();
    g.seeds = {quint64(q.value(5).toLongLong()), quint64(q.value(6).toLongLong())};
    g.dice = {quint64(q.value(7).toLongLong()), quint64(q.value(8).toLongLong())};
    g.elapsedMs = q.value(9).toLongLong();
    return g;
}

SavedSeat savedSeat(const QSqlQuery& q)
{
    SavedSeat s;
    s.seat = q.value(0).toInt();
    s.robot = q.value(1).toBool();
    s.name = q.value(2).toString();
    s.accountId = q.value(3).toLongLong();
    s.standIn = q.value(4).toString();
    s.departed = q.value(5).toBool();
    s.random = {quint64(q.value(6).toLongLong()), quint64(q.value(7).toLongLong())};
    return s;
}

} // namespace StorageRows
