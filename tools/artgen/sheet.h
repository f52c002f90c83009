#pragma once

#include "style.h"

namespace art {

struct Sheet
{
    std::vector<Picture> icons;
    std::vector<Picture> buttons;
    std::vector<Picture> windowIcons;
    std::vector<Picture> cards;
};

// One overview picture of everything: the list icons at their real size and
// enlarged four times pixel by pixel, the buttons and window icons at both
// sizes, and the cards.
QImage contactSheet(const Sheet& sheet);

} // namespace art
