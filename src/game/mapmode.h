#pragma once

// What a click on the board means at the moment.
enum class MapMode {
    Idle = 0,
    PaintBorders = 1,
    EraseBorders = 2,
    PickArea = 3,
    PickTextPosition = 4,
    PickNeighbours = 5,
    PickCapital = 6,
    PlaceInitial = 7,
    Place = 8,
    Move = 9,
    Attack = 10,
    Preview = 11,
};
