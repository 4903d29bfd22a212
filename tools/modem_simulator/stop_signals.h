#pragma once

namespace quellmark::modem_sim {

// SIGTERM and SIGINT stay blocked except while waiting here, so a stop can never slip in between
// a check and the wait that follows it.
void BlockStopSignals();
bool StopRequested();

// Waits until fd reports one of events, the timeout (milliseconds, -1 for none) passes, or a stop
// is requested. True only when the fd is ready.
bool WaitFor(int fd, short events, int timeout_ms);

// Sleeps, returning early on a stop request.
void Pause(int ms);

}  // namespace quellmark::modem_sim
