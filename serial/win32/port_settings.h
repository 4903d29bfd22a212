#pragma once

#include <windows.h>

#include <string>

#include "unique_handle.h"

namespace quellmark {

// `current` (what GetCommState gave) with every field that shapes the line set for the modem:
// the speed, data and stop bits of kLineSettings, no parity, binary, no flow control of any kind,
// DTR and RTS on, no character replacement, no abort on error. Only EofChar and EvtChar, which
// nothing here uses, are kept.
DCB ModemLineSettings(const DCB& current);

// Opens the device for overlapped use, alone, and sets the line up with ModemLineSettings and
// reads that wait for the first byte and end once the line is quiet; input from before the open
// is discarded. Returns no handle when any step fails.
UniqueHandle OpenConfiguredPort(const std::wstring& device);

}  // namespace quellmark
