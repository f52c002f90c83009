#include "netlogging.h"

// Diagnostics only: by default the warning output carries just what the user
// must see at login, so these show when the category is switched on.
Q_LOGGING_CATEGORY(lcNet, "tarvenix.net", QtWarningMsg)
