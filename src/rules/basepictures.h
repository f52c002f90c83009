#pragma once

// The five pictures every client carries, in the order of their default
// maps' ids: the name maps give them (and send to the server), the file
// below the client's directory, and the size a map's index must match.
namespace Rules {

struct BasePicture
{
    const char* name;
    const char* file;
    int width;
    int height;
};

inline constexpr BasePicture BasePictures[] = {
    {"world", "Maps/World.png", 780, 400},
    {"europe", "Maps/Europe.png", 780, 400},
    {"africa", "Maps/Africa.png", 780, 400},
    {"north america", "Maps/NorthAmerica.png", 780, 400},
    {"united states", "Maps/UnitedStates.png", 780, 400},
};

} // namespace Rules
