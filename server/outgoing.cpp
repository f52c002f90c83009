#include "outgoing.h"

#include "mapdata.h"
#include "robotinfo.h"

namespace outgoing {

namespace {

using Protocol::build;

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

Message greeting()
{
    return build(Opcode::Start, {});
}

Message ping()
{
    return build(Opcode::Ping, {});
}

Message closed()
{
    return build(Opcode::Closed, {});
}

Message upgrade()
{
    return build(Opcode::Upgrade, {});
}

Message success(const QString& nickname)
{
    return build(Opcode::Success, {nickname});
}

Message failure(FailureCode code)
{
    return build(Opcode::Failure, {qint32(code)});
}

Message newUser(const QString& nickname, const QString& host)
{
    return build(Opcode::NewUser, {nickname, host});
}

Message user(const UserRecord& r)
{
    // The ninth field carries nothing; clients read it as 0.
    return build(Opcode::User, {r.nickname, r.rating, r.games, r.playing, r.watching, r.member,
                                r.smilie, r.admin, 0, r.level});
}

Message endUser(const QString& nickname)
{
    return build(Opcode::EndUser, {nickname});
}

Message mask(const QString& pattern, const QString& kind)
{
    return build(Opcode::Mask, {pattern, kind});
}

Message robot(const RobotInfo& r)
{
    return build(Opcode::Robot, {r.name, r.owner, r.rating, r.games, r.level});
}

Message slot(bool personal, int slot, int mapId, const QString& name, const QString& author)
{
    return build(Opcode::Slot, {personal, slot, mapId, name, author});
}

Message chat(Opcode channel, const QString& from, const QString& text)
{
    return build(channel, {from, text});
}

Message newGame(int id, int mapId, const QString& mapName, const QString& mapAuthor,
                const GameOptions& options)
{
    std::vector<Protocol::Field> fields{id, mapId, mapName, mapAuthor};
    for (int v : options.announcementValues())
        fields.emplace_back(v);
    return build(Opcode::NewGame, fields);
}

Message game(const GameStatus& s)
{
    return build(Opcode::Game,
                 {s.id, s.operatorName, s.running, s.clients, s.players, s.robots, s.disconnected});
}

Message endGame(int id)
{
    return build(Opcode::EndGame, {id});
}

bool namesGame(const QByteArray& wire, int id)
{
    Message m;
    const int size = int(wire.size());
    if (m.feed(reinterpret_cast<const unsigned char*>(wire.constData()), size) != size ||
        !m.isComplete())
        return false;
    switch (Opcode(m.getInt(0))) {
    case Opcode::NewGame:
    case Opcode::Game:
    case Opcode::EndGame:
        return m.getInt(1) == id;
    case Opcode::User:
        // Playing, then watching.
        return m.getInt(4) == id || m.getInt(5) == id;
    default:
        return false;
    }
}

Message player(int seat, bool robot, const QString& name)
{
    return build(Opcode::Player, {seat, robot, name});
}

Message replace(int seat, const QString& robot)
{
    return build(Opcode::Replace, {seat, robot});
}

Message endPlayer(int seat)
{
    return build(Opcode::EndPlayer, {seat});
}

Message gameEvent(const GameEventPayload& payload)
{
    return std::visit(
        Overloaded{
            [](const event::Country& e) {
                return build(Opcode::Country, {e.country, e.owner, e.armies});
            },
            [](const event::Init& e) { return build(Opcode::Init, {e.armies}); },
            [](const event::More& e) { return build(Opcode::More, {e.seat}); },
            [](const event::Decide& e) { return build(Opcode::Decide, {e.seat}); },
            [](const event::Place& e) {
                return build(Opcode::Place, {e.seat, e.armies});
            },
            [](const event::Attack& e) {
                return build(Opcode::Attack, {e.from, e.to, e.dice, e.doOrDie});
            },
            [](const event::Dice& e) {
                return build(Opcode::Dice, {e.attacker, e.attack[0], e.attack[1], e.attack[2],
                                            e.defender, e.defence[0], e.defence[1]});
            },
            [](const event::Take& e) {
                return build(Opcode::Take, {e.from, e.to, e.minimum});
            },
            [](const event::Card& e) { return build(Opcode::Card, {e.card}); },
            [](const event::Winner& e) { return build(Opcode::Winner, {e.seat}); },
            [](const event::MustExchange& e) { return build(Opcode::Exchange, {e.seat}); },
            [](const event::Exchanged& e) {
                return build(Opcode::Exchanged, {e.seat, e.armies});
            },
            [](const event::TurnEnd&) { return build(Opcode::End, {}); },
            [](const event::Clock& e) { return build(Opcode::Clock, {e.seconds}); },
            [](const event::CardCount& e) {
                return build(Opcode::CardCount, {e.seat, e.count});
            },
            [](const event::SeatOut& e) { return endPlayer(e.seat); },
            [](const event::SeatReplaced&) { return Message(); },
        },
        payload);
}

QByteArray mapTransfer(const MapData& map)
{
    QByteArray out;
    out.append(
        build(Opcode::StartMap, {map.id, map.name, map.picture, Protocol::Field::bytes(map.index)})
            .data());
    for (const MapContinent& c : map.continents)
        out.append(build(Opcode::ContinentMap, {c.number, c.name, c.value}).data());
    for (const MapCountry& c : map.countries)
        out.append(build(Opcode::CountryMap, {c.number, c.name, c.continent, c.labelX, c.labelY,
                                              c.areaX, c.areaY, c.areaWidth, c.areaHeight})
                       .data());
    for (const auto& pair : map.neighbours)
        out.append(build(Opcode::NeighbourMap, {pair[0], pair[1]}).data());
    for (const auto& line : map.lines)
        out.append(build(Opcode::LineMap, {line[0], line[1], line[2], line[3]}).data());
    out.append(build(Opcode::EndMap, {}).data());
    return out;
}

} // namespace outgoing
