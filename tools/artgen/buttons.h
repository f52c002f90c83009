#pragma once

#include "style.h"

namespace art {

// The thirteen action buttons of the tool bar, 32 pixels with a 64-pixel copy.
std::vector<Picture> toolbarButtons();

// The window icons, 32 pixels with a 64-pixel copy.
std::vector<Picture> windowIcons();

} // namespace art
