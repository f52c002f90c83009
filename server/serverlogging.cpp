#include "serverlogging.h"

// Info level on by default: the log line per login, game and refused request
// is the server's record of what happened.
Q_LOGGING_CATEGORY(lcServer, "tarvenix.server", QtInfoMsg)
