#include "netlogging.h"

Q_LOGGING_CATEGORY(lcNet, "tarvenix.net")
