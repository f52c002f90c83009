#pragma once

#include "country.h"
#include "mapdata.h"
#include "mapline.h"
#include "mapmode.h"
#include "seating.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <map>
#include <vector>

using Continent = MapContinent;

// What a click on a country means in the board's mode, once the model has
// applied what the click changes by itself (selections, the highlighted
// capital, the editor's neighbour pairs).
struct MapGesture
{
    enum Kind {
        None,
        PlaceArmies,
        PickCapital,
        Move,
        Attack,
        // The editor linked or unlinked the clicked country and the picked one.
        AddNeighbour,
        RemoveNeighbour,
    };
    Kind kind = None;
    // The clicked country, or the source of a move or an attack.
    int country = -1;
    int target = -1;
    int dice = 0;
    bool rightButton = false;
    bool doOrDie = false;

    bool operator==(const MapGesture&) const = default;
};

// The current map and what the board's clicks depend on: continents,
// countries with their owners and armies, neighbours, sea lines, the points
// the editor draws, the local seat, the army target, the highlighted country,
// the do-or-die flag and the mode. Pixels live with the picture; the model
// knows only picture coordinates.
class MapModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;
    // The number a country shows while the editor places its label.
    static constexpr int SampleArmies = 88;
    // An initial placing stops adding to a country that has this many.
    static constexpr int InitialPlacingLimit = 4;

    explicit MapModel(QObject* parent = nullptr);

    int mapId() const { return m_mapId; }
    const QString& mapName() const { return m_mapName; }
    // The start of an incoming map: false for the map already shown, whose
    // continents, countries, neighbours and lines up to the end are ignored.
    bool beginLoading(int id, const QString& name);
    bool isLoading() const { return m_loading; }
    void endLoading() { m_loading = false; }
    // The continents, countries, neighbours and lines of a stored map.
    void addMap(const MapData& map);
    // The map as it is stored; the index is the picture's business.
    MapData toMapData(const QString& pictureName, const QString& name) const;

    // Forgets the map and returns to Idle without a target, a highlighted or
    // a picked country.
    void reset();

    void addContinent(int number, const QString& name, int value);
    // The editor's form: the country has owner 0, no label position and no
    // land yet.
    void addCountry(int number, const QString& name, int continent);
    void addCountry(int number, const QString& name, int continent, int textX, int textY, int areaX,
                    int areaY, int areaWidth, int areaHeight);
    // Both directions at once; nothing when either country is unknown.
    void addNeighbour(int a, int b);
    void addLine(int x1, int y1, int x2, int y2);
    void removeData();
    void removeCountries() { m_countries.clear(); }
    void removeContinents() { m_continents.clear(); }
    void removeLines() { m_lines.clear(); }
    void removePoints() { m_points.clear(); }

    Country* country(int number);
    const Country* country(int number) const;
    const Continent* continent(int number) const;
    const std::map<int, Country>& countries() const { return m_countries; }
    const std::map<int, Continent>& continents() const { return m_continents; }
    // The editor's strokes change the lines and points in place.
    std::vector<MapLine>& lines() { return m_lines; }
    const std::vector<MapLine>& lines() const { return m_lines; }
    QList<QPoint>& points() { return m_points; }
    const QList<QPoint>& points() const { return m_points; }

    // 0 for a negative seat.
    int armiesOf(int seat) const;
    int countriesOf(int seat) const;

    // These store their value; the board repaints nothing for them, and
    // only the mode, the local seat and do or die tell of a change.
    void setMode(MapMode mode) { setClickState(m_mode, mode); }
    MapMode mode() const { return m_mode; }
    void setLocalSeat(int seat) { setClickState(m_localSeat, seat); }
    int localSeat() const { return m_localSeat; }
    void setArmyTarget(int target) { m_armyTarget = target; }
    int armyTarget() const { return m_armyTarget; }
    void setDoOrDie(bool doOrDie) { setClickState(m_doOrDie, doOrDie); }
    bool doOrDie() const { return m_doOrDie; }
    void setHighlighted(int number) { m_highlighted = number; }
    int highlighted() const { return m_highlighted; }
    // The editor's country: PickArea, PickTextPosition or PickNeighbours
    // work on it.
    void pick(MapMode mode, int number);
    int picked() const { return m_picked; }

    bool isPlacing() const { return m_mode == MapMode::PlaceInitial || m_mode == MapMode::Place; }
    // True in the modes in which presses draw or pick for the editor.
    bool isEditing() const;
    // A map that came from the server belongs to a game: the editor never
    // draws on it, whatever mode was left behind.
    bool acceptsPresses() const { return m_mapId == 0 || !isEditing(); }
    bool isOwn(const Country& country) const
    {
        return m_localSeat >= 0 && country.owner == m_localSeat;
    }

    // Stores owner and armies and emits countryChanged; false when the
    // country is unknown or nothing changes.
    bool setCountry(int number, int owner, int armies);
    // Selects the country unless it is selected already.
    void highlightCountry(int number);
    void clearSelection();
    const Country* selectedCountry() const;
    // The line that asks the local player to go on placing, or an empty text.
    QString placeStatus() const;

    // A press and release on one country: changes what the mode lets the
    // click change and says what it asks of the game or the editor.
    MapGesture click(int number, bool rightButton);
    // Puts the label of the picked country at the point, showing the sample
    // number; false when the number is not the picked country.
    bool placeLabel(int number, QPoint point);
    // After claiming land in PickArea: a country without a label position
    // gets the click point.
    void placeLabelIfUnset(int number, QPoint point);
    // Takes the sample number off the country's label.
    void clearSample(int number);

signals:
    void countryChanged(int number, int oldOwner, int oldArmies);
    // The country's label changed its box, position or number.
    void labelChanging(int number);
    void labelChanged(int number);
    void selectionCleared();
    // The mode, the local seat or do or die changed: what a click does.
    void clickStateChanged();

private:
    template <typename T> void setClickState(T& member, T value)
    {
        if (member == value)
            return;
        member = value;
        emit clickStateChanged();
    }
    MapGesture moveOrAttack(Country& clicked, bool attacking);
    Country* selected();
    void setSelected(Country& country, bool selected);

    int m_mapId = 0;
    QString m_mapName;
    bool m_loading = false;
    std::map<int, Continent> m_continents;
    std::map<int, Country> m_countries;
    std::vector<MapLine> m_lines;
    QList<QPoint> m_points;

    MapMode m_mode = MapMode::Idle;
    int m_localSeat = -1;
    int m_armyTarget = 0;
    bool m_doOrDie = false;
    int m_highlighted = -1;
    int m_picked = -1;
};
