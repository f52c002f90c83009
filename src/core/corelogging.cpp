#include "corelogging.h"

// Diagnostics are off unless asked for (QT_LOGGING_RULES="tarvenix.*.debug=true"):
// the warning output belongs to the adapter addresses and the scripts' errors.
Q_LOGGING_CATEGORY(lcCore, "tarvenix.core", QtWarningMsg)
