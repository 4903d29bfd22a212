#pragma once

#include <QString>
#include <string>

#include "qt_serial_port.h"

namespace quellmark {

// Why `port` could not open `device`, for people, in German for the common reasons (no such
// device, no permission with what to do about it, held by another program, not a serial device)
// and in the system's words for the rest.
std::string OpenFailureReason(const QtSerialPort& port, const QString& device);

}  // namespace quellmark
