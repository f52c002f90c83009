#pragma once

#include "style.h"

namespace art {

// The start-up picture: the game's name over a board of territories.
Picture splashPicture();

} // namespace art
