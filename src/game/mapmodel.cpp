#include "mapmodel.h"

#include "fieldbounds.h"

#include <QCoreApplication>

#include <algorithm>

MapModel::MapModel(QObject* parent) : QObject(parent) {}

bool MapModel::beginLoading(int id, const QString& name)
{
    // 0 stands for "no map", so it can never name the map already shown.
    if (id != 0 && id == m_mapId) {
        m_loading = false;
        return false;
    }
    reset();
    m_mapId = id;
    m_mapName = name;
    m_loading = true;
    return true;
}

void MapModel::addMap(const MapData& map)
{
    for (const MapContinent& c : map.continents)
        addContinent(c.number, c.name, c.value);
    for (const MapCountry& c : map.countries)
        addCountry(c.number, c.name, c.continent, c.labelX, c.labelY, c.areaX, c.areaY, c.areaWidth,
                   c.areaHeight);
    for (const auto& [a, b] : map.neighbours)
        addNeighbour(a, b);
    for (const auto& l : map.lines)
        addLine(l[0], l[1], l[2], l[3]);
}

MapData MapModel::toMapData(const QString& pictureName, const QString& name) const
{
    MapData map;
    map.id = m_mapId;
    map.name = name;
    map.picture = pictureName;
    for (const auto& [number, c] : m_continents)
        map.continents.append(c);
    for (const auto& [number, c] : m_countries) {
        map.countries.append({c.number, c.name, c.continent, c.textX, c.textY, c.area.left(),
                              c.area.top(), c.area.width(), c.area.height()});
        for (int neighbour : c.neighbours())
            map.neighbours.append({c.number, neighbour});
    }
    for (const MapLine& line : m_lines)
        map.lines.append({line.x1(), line.y1(), line.x2(), line.y2()});
    return map;
}

void MapModel::reset()
{
    removeData();
    m_mapId = 0;
    m_mapName.clear();
    m_loading = false;
    m_highlighted = -1;
    m_armyTarget = 0;
    m_picked = -1;
    setMode(MapMode::Idle);
}

void MapModel::addContinent(int number, const QString& name, int value)
{
    m_continents.try_emplace(number, Continent{number, name, value});
}

void MapModel::addCountry(int number, const QString& name, int continent)
{
    // The index keeps 0 and the negative values for land without a country,
    // borders and the outside, so such a number could never be clicked.
    if (number <= 0 || country(number) || !this->continent(continent))
        return;
    Country c(number, name, continent);
    c.owner = 0;
    m_countries.emplace(number, c);
}

void MapModel::addCountry(int number, const QString& name, int continent, int textX, int textY,
                          int areaX, int areaY, int areaWidth, int areaHeight)
{
    if (number <= 0 || country(number) || !this->continent(continent))
        return;
    Country c(number, name, continent);
    c.textX = textX;
    c.textY = textY;
    c.area = QRect(areaX, areaY, std::max(areaWidth, 0), std::max(areaHeight, 0));
    m_countries.emplace(number, c);
}

void MapModel::addNeighbour(int a, int b)
{
    Country* ca = country(a);
    Country* cb = country(b);
    if (!ca || !cb)
        return;
    ca->addNeighbour(b);
    cb->addNeighbour(a);
}

void MapModel::addLine(int x1, int y1, int x2, int y2)
{
    m_lines.emplace_back(x1, y1, x2, y2);
}

void MapModel::removeData()
{
    m_countries.clear();
    m_continents.clear();
    m_lines.clear();
    m_points.clear();
}

Country* MapModel::country(int number)
{
    auto it = m_countries.find(number);
    return it == m_countries.end() ? nullptr : &it->second;
}

const Country* MapModel::country(int number) const
{
    auto it = m_countries.find(number);
    return it == m_countries.end() ? nullptr : &it->second;
}

const Continent* MapModel::continent(int number) const
{
    auto it = m_continents.find(number);
    return it == m_continents.end() ? nullptr : &it->second;
}

int MapModel::armiesOf(int seat) const
{
    if (seat < 0)
        return 0;
    qint64 armies = 0;
    for (const auto& [number, c] : m_countries) {
        if (c.owner == seat)
            armies += c.armies;
    }
    return FieldBounds::saturate(armies);
}

int MapModel::countriesOf(int seat) const
{
    if (seat < 0)
        return 0;
    return int(std::count_if(m_countries.begin(), m_countries.end(),
                             [seat](const auto& entry) { return entry.second.owner == seat; }));
}

void MapModel::pick(MapMode mode, int number)
{
    m_mode = mode;
    m_picked = number;
}

bool MapModel::isEditing() const
{
    switch (m_mode) {
    case MapMode::PaintBorders:
    case MapMode::EraseBorders:
    case MapMode::PickArea:
    case MapMode::PickTextPosition:
    case MapMode::PickNeighbours:
        return true;
    default:
        return false;
    }
}

bool MapModel::setCountry(int number, int owner, int armies)
{
    Country* c = country(number);
    if (!c || (c->owner == owner && c->armies == armies))
        return false;
    emit labelChanging(number);
    const int oldOwner = c->owner;
    const int oldArmies = c->armies;
    c->owner = owner;
    c->armies = armies;
    emit countryChanged(number, oldOwner, oldArmies);
    return true;
}

void MapModel::setSelected(Country& country, bool selected)
{
    country.selected = selected;
    emit labelChanged(country.number);
}

void MapModel::highlightCountry(int number)
{
    Country* c = country(number);
    if (c && !c->selected)
        setSelected(*c, true);
}

void MapModel::clearSelection()
{
    for (auto& [number, c] : m_countries)
        c.selected = false;
    emit selectionCleared();
}

Country* MapModel::selected()
{
    auto it = std::find_if(m_countries.begin(), m_countries.end(),
                           [](const auto& entry) { return entry.second.selected; });
    return it == m_countries.end() ? nullptr : &it->second;
}

const Country* MapModel::selectedCountry() const
{
    return const_cast<MapModel*>(this)->selected();
}

QString MapModel::placeStatus() const
{
    const int owned = armiesOf(m_localSeat);
    if (!isPlacing() || m_armyTarget < 0 || owned >= m_armyTarget)
        return {};
    return QCoreApplication::translate("Map", "You should place %1 armies")
        .arg(m_armyTarget - owned);
}

MapGesture MapModel::click(int number, bool rightButton)
{
    Country* c = country(number);
    if (!c)
        return {};
    switch (m_mode) {
    case MapMode::PickNeighbours: {
        Country* p = country(m_picked);
        if (!p || p == c)
            return {};
        if (p->isNeighbour(number)) {
            p->removeNeighbour(number);
            c->removeNeighbour(p->number);
            return {MapGesture::RemoveNeighbour, number, p->number};
        }
        p->addNeighbour(number);
        c->addNeighbour(p->number);
        return {MapGesture::AddNeighbour, number, p->number};
    }
    case MapMode::PickCapital: {
        if (!isOwn(*c))
            return {};
        const int previous = m_highlighted;
        m_highlighted = number;
        if (previous != number && country(previous))
            emit labelChanged(previous);
        emit labelChanged(number);
        return {MapGesture::PickCapital, number};
    }
    case MapMode::PlaceInitial:
    case MapMode::Place:
        if (!isOwn(*c) || (m_mode == MapMode::PlaceInitial && c->armies >= InitialPlacingLimit))
            return {};
        return {.kind = MapGesture::PlaceArmies, .country = number, .rightButton = rightButton};
    case MapMode::Move:
    case MapMode::Attack:
        return moveOrAttack(*c, m_mode == MapMode::Attack);
    default:
        return {};
    }
}

MapGesture MapModel::moveOrAttack(Country& clicked, bool attacking)
{
    const bool own = isOwn(clicked);
    Country* source = selected();
    if (!source) {
        if (own && clicked.armies >= 2)
            setSelected(clicked, true);
        return {};
    }
    if (source == &clicked) {
        setSelected(clicked, false);
        return {};
    }
    if (!source->isNeighbour(clicked.number) || own == attacking)
        return {};
    setSelected(*source, false);
    if (!attacking)
        return {MapGesture::Move, source->number, clicked.number};
    return {
        MapGesture::Attack, source->number, clicked.number, std::min(source->armies - 1, 3), false,
        m_doOrDie};
}

bool MapModel::placeLabel(int number, QPoint point)
{
    Country* c = country(number);
    if (!c || number != m_picked)
        return false;
    emit labelChanging(number);
    c->textX = point.x();
    c->textY = point.y();
    c->armies = SampleArmies;
    emit labelChanged(number);
    return true;
}

void MapModel::placeLabelIfUnset(int number, QPoint point)
{
    Country* c = country(number);
    if (c && c->textX == 0 && c->textY == 0)
        placeLabel(number, point);
}

void MapModel::clearSample(int number)
{
    Country* c = country(number);
    if (!c || c->armies == 0)
        return;
    emit labelChanging(number);
    c->armies = 0;
    emit labelChanged(number);
}
