#pragma once

#include "style.h"

namespace art {

// The four card faces: horseman, cannon, footman and joker, all of one size.
std::vector<Picture> cardPictures();

} // namespace art
