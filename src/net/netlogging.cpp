#include "netlogging.h"

// Only warnings by default: the warning output is kept for the adapter
// addresses reported at login; switch the category on to follow the traffic.
Q_LOGGING_CATEGORY(lcNet, "tarvenix.net", QtWarningMsg)
