#pragma once

#include <QString>

class MapModel;

// What the line under the button bar tells the local player about the
// board: what a click does in the board's present mode, and why a click on a
// country did nothing. Both are decided from the map model alone.
class ClickHint
{
public:
    // Empty while the board has nothing for the local player to click.
    static QString forMode(const MapModel& model);
    // Why a click on the country would change nothing, worked out before the
    // click; empty when the click is used (a selection counts) or the board
    // is not the local player's to click.
    static QString refusal(const MapModel& model, int country);
    // What to do while the move panel asks and the board takes no clicks:
    // the armies that go into a country just conquered (take), or from one
    // own country to the next at the end of the turn.
    static QString forPanel(bool take, const QString& from, const QString& to);
};
