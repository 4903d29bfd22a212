#pragma once

#include <memory>
#include <string>

#include "port_reader.h"
#include "serial_port.h"

namespace quellmark {

// The device of port `number` (1 to 10) for this process's environment, in UTF-8; empty for any
// other number.
std::string DeviceOfPort(int number);

// Opens the device that `device` names (UTF-8): the one place where the programs turn a device's
// name into a line. A serial device at the line's fixed settings, dropping any input that was
// waiting (tests give it another `reading`); a network address (rfc2217:// or socket://) as a
// connection to it, whose remark goes to `remark`; a refused address not at all.
OpenedLine OpenLine(const std::string& device, RemarkHandler remark = {}, LineReading reading = {});

// The window's port: port n is DeviceOfPort(n), opened by OpenLine.
std::unique_ptr<SerialPort> NumberedSystemPort(LineReading reading = {});

}  // namespace quellmark
