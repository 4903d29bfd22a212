#include "open_line.h"

#include <QString>
#include <utility>

#include "device_path.h"
#include "network_address.h"
#include "numbered_port.h"
#include "open_failure.h"
#include "qt_network_line.h"
#include "qt_serial_port.h"

namespace quellmark {

std::string DeviceOfPort(int number) {
    return DevicePathForPort(number).toStdString();
}

OpenedLine OpenLine(const std::string& device, RemarkHandler remark) {
    const DeviceAddress address = ParseDeviceAddress(device);
    if (const auto* network = std::get_if<NetworkAddress>(&address)) {
        auto line = std::make_unique<QtNetworkLine>(*network, std::move(remark));
        if (auto failure = line->Connect()) {
            return *std::move(failure);
        }
        return line;
    }
    if (const auto* refused = std::get_if<RefusedAddress>(&address)) {
        return refused->reason;
    }
    auto line = std::make_unique<QtSerialPort>();
    const QString path = QString::fromStdString(device);
    if (!line->Open(path)) {
        return OpenFailureReason(*line, path);
    }
    return line;
}

std::unique_ptr<SerialPort> NumberedSystemPort() {
    return std::make_unique<NumberedPort>(
        DeviceOfPort, [](const std::string& device) { return OpenLine(device); });
}

}  // namespace quellmark
