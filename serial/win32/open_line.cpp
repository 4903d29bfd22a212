#include "open_line.h"

#include <utility>

#include "device_name.h"
#include "network_address.h"
#include "numbered_port.h"
#include "open_failure.h"
#include "text_conversion.h"
#include "win32_network_line.h"
#include "win32_serial_port.h"

namespace quellmark {

std::string DeviceOfPort(int number) {
    return win32::ToUtf8(DeviceNameForPort(number, SystemEnvironment));
}

OpenedLine OpenLine(const std::string& device, RemarkHandler remark, LineReading reading) {
    const DeviceAddress address = ParseDeviceAddress(device);
    if (const auto* network = std::get_if<NetworkAddress>(&address)) {
        return OpenNetworkLine(*network, std::move(remark));
    }
    if (const auto* refused = std::get_if<RefusedAddress>(&address)) {
        return refused->reason;
    }
    auto line = std::make_unique<Win32SerialPort>(std::move(reading));
    if (!line->Open(win32::ToWide(device))) {
        return OpenFailureReason(line->OpenError());
    }
    return line;
}

std::unique_ptr<SerialPort> NumberedSystemPort(LineReading reading) {
    return std::make_unique<NumberedPort>(
        DeviceOfPort, [reading = std::move(reading)](const std::string& device) {
            return OpenLine(device, {}, reading);
        });
}

}  // namespace quellmark
