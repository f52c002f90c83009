#pragma once

#include "mapdata.h"

#include <QByteArray>

// The map as the server sends it: start, continents, countries, neighbour
// pairs, lines and end, serialised back to back.
QByteArray mapTransfer(const MapData& map);
