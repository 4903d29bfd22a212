#pragma once

#include <QString>
#include <vector>

#include "device_path.h"

namespace quellmark {

// The serial ports on this system now, as QSerialPortInfo lists them, without the ones that have
// no UART behind them.
std::vector<PresentPort> PresentSystemPorts();

// Whether the tty whose sysfs folder is `sysfsDir` (/sys/class/tty/ttyS3) stands for hardware:
// the kernel keeps a ttyS device for every UART slot it reserves, and gives the empty ones the
// UART type 0. A tty without a type (USB, ACM) is a device of its own.
bool HasUart(const QString& sysfsDir);

}  // namespace quellmark
