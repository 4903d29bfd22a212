#pragma once

#include "options.h"
#include "pty_device.h"
#include "responder.h"
#include "wire_log.h"

namespace quellmark::modem_sim {

// Answers the device's command lines until a stop is requested or the line is to be closed, in the
// way `options` say. Returns the exit status.
int Serve(const PtyDevice& pty, Responder& responder, WireLog& log, const Options& options);

}  // namespace quellmark::modem_sim
