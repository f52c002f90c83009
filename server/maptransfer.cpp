#include "maptransfer.h"

#include "message.h"
#include "protocol.h"

QByteArray mapTransfer(const MapData& map)
{
    QByteArray out;
    auto append = [&out](const Message& m) {
        out.append(m.data());
    };

    Message start = Protocol::message(Opcode::StartMap);
    start.addInt(map.id);
    start.addString(map.name.toLatin1().constData());
    start.addString(map.picture.toLatin1().constData());
    start.addBytes(reinterpret_cast<const unsigned char*>(map.index.constData()),
                   int(map.index.size()));
    append(start);

    for (const MapContinent& c : map.continents) {
        Message m = Protocol::message(Opcode::ContinentMap);
        m.addInt(c.number);
        m.addString(c.name.toLatin1().constData());
        m.addInt(c.value);
        append(m);
    }
    for (const MapCountry& c : map.countries) {
        Message m = Protocol::message(Opcode::CountryMap);
        m.addInt(c.number);
        m.addString(c.name.toLatin1().constData());
        for (int v : {c.continent, c.labelX, c.labelY, c.areaX, c.areaY, c.areaWidth, c.areaHeight})
            m.addInt(v);
        append(m);
    }
    for (const auto& pair : map.neighbours) {
        Message m = Protocol::message(Opcode::NeighbourMap);
        m.addInt(pair[0]);
        m.addInt(pair[1]);
        append(m);
    }
    for (const auto& line : map.lines) {
        Message m = Protocol::message(Opcode::LineMap);
        for (int v : line)
            m.addInt(v);
        append(m);
    }
    append(Protocol::message(Opcode::EndMap));
    return out;
}
