#pragma once

#include <windows.h>

#include <string>

namespace quellmark::ctl {

// Writes UTF-8 `text` to `stream` (a standard handle): as UTF-16 to a console, whatever its code
// page, so that umlauts show; unchanged to a file or pipe, for scripts. False when not all of it
// could be written.
bool WriteText(HANDLE stream, const std::string& text);

}  // namespace quellmark::ctl
