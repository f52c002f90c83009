#pragma once

#include "board.h"
#include "mapdata.h"

#include <memory>

// The board a game is played on, from a stored map.
std::shared_ptr<const Board> makeBoard(const MapData& map);
