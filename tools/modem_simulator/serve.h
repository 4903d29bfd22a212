#pragma once

#include "pty_device.h"
#include "responder.h"
#include "wire_log.h"

namespace quellmark::modem_sim {

// Answers the device's command lines until a stop is requested. Returns the exit status.
int Serve(const PtyDevice& pty, Responder& responder, WireLog& log, int delay_ms);

}  // namespace quellmark::modem_sim
