#pragma once

#include <QString>
#include <string>

#include "qt_serial_port.h"

namespace quellmark {

// Why `port` could not open `device`, for people: the system's words, with what to do about
// a missing permission, or that another program holds the device.
std::string OpenFailureReason(const QtSerialPort& port, const QString& device);

}  // namespace quellmark
