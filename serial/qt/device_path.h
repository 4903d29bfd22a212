#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "port_list.h"

namespace quellmark {

// The groups that ports are numbered in, first to last.
enum class PortKind {
    OnBoard,  // the machine's own UARTs: ttyS*, ttyAMA*
    Adapter,  // USB serial adapters and modems: ttyUSB*, ttyACM*
    Other,    // anything else the system lists, such as Bluetooth (rfcomm*)
};

// A serial port that is there now.
struct PresentPort {
    QString name;  // "ttyUSB0"
    QString path;  // "/dev/ttyUSB0"
    QString description;
    PortKind kind;
};

PortKind KindOfPort(const QString& name);

// Lists the ports present now; asked only when no variable names the device, as asking the
// system takes a while.
using PortLister = std::function<std::vector<PresentPort>()>;

// The device behind port number 1..kPortCount: QUELLMARK_COM<n> when set, else the n-th present
// port, on-board ports first, then adapters, then the rest, each group in natural name order
// (ttyUSB2 before ttyUSB10). Empty for any other number and when there is no n-th port.
QString DevicePathForPort(int number, const EnvironmentLookup& environment,
                          const PortLister& present);

// The same for this process's environment and the ports present on the system now.
QString DevicePathForPort(int number);
// The port list's descriptions (see port_list.h) for this process's environment and the ports
// present now, in which the system says of a port "/dev/ttyUSB0 – FT232R USB UART", or the path
// alone without a description. The system is asked for its ports once, not once per port.
std::vector<std::string> DescribeAllPorts();

std::string SystemEnvironment(const char* name);

}  // namespace quellmark
