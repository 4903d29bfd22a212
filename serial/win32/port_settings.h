#pragma once

#include <string>

#include "unique_handle.h"

namespace quellmark {

// Opens the device for overlapped use, alone, and sets the line up: 9600 baud, 8 data bits, no
// parity, 1 stop bit, no flow control, DTR and RTS on; input from before the open is discarded.
// Returns no handle when any step fails.
UniqueHandle OpenConfiguredPort(const std::wstring& device);

}  // namespace quellmark
