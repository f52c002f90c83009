#include "corelogging.h"

Q_LOGGING_CATEGORY(lcCore, "tarvenix.core")
