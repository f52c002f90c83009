#pragma once

#include "style.h"

namespace art {

// The 16-pixel icons of the game and user lists, the legend, the player list and
// the chat tabs. The lists place them 14 pixels apart, so every icon keeps its
// drawing within the columns 1 to 14 and the neighbours never touch.
std::vector<Picture> listIcons();

} // namespace art
