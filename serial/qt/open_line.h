#pragma once

#include <memory>
#include <string>

#include "serial_port.h"

namespace quellmark {

// The device of port `number` (1 to 10) for this process's environment and the ports present
// now, as a path; empty when there is none.
std::string DeviceOfPort(int number);

// Opens the device that `device` names: the one place where the programs turn a device's name
// into a line. A path at the line's fixed settings, dropping any input that was waiting; a network
// address (rfc2217:// or socket://) as a connection to it, whose remark goes to `remark`; a
// refused address not at all.
OpenedLine OpenLine(const std::string& device, RemarkHandler remark = {});

// The window's port: port n is DeviceOfPort(n), opened by OpenLine.
std::unique_ptr<SerialPort> NumberedSystemPort();

}  // namespace quellmark
