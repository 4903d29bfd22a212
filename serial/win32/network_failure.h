#pragma once

#include <string>

#include "network_address.h"

namespace quellmark {

// Why a connection to `address` could not be made, for people, from a Winsock or system error
// code: the host and port and the reason, in German for the common cases and in the system's
// words for the rest. Nothing in it comes from the server.
std::string NetworkFailureReason(const NetworkAddress& address, int error);

}  // namespace quellmark
