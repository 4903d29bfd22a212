#pragma once

#include <string>
#include <utility>
#include <vector>

#include "device_name.h"

namespace quellmark {

// What the system says about its serial ports now.
struct PortRegistry {
    // HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, one entry per port whose driver runs: the port name
    // and the kernel's device name ("COM1", "\Device\Serial0").
    std::vector<std::pair<std::wstring, std::wstring>> serialComm;
    // The present devices of the ports class: port name and the name Device Manager shows
    // ("COM3", "USB-SERIAL CH340 (COM3)").
    std::vector<std::pair<std::wstring, std::wstring>> friendlyNames;
};

// The port list's descriptions (see port_list.h), in which the system says of a port its friendly
// name, else its kernel device name with the port name ("\Device\Serial0 (COM1)").
std::vector<std::string> DescribePorts(const PortRegistry& registry,
                                       const EnvironmentLookup& environment);

// The registry and the ports class as they are now; whatever cannot be read stays empty.
PortRegistry ReadPortRegistry();

// DescribePorts for this process's environment and the system's ports now.
std::vector<std::string> DescribeSystemPorts();

}  // namespace quellmark
