#include "open_line.h"

#include <QString>

#include "device_path.h"
#include "numbered_port.h"
#include "open_failure.h"
#include "qt_serial_port.h"

namespace quellmark {

std::string DeviceOfPort(int number) {
    return DevicePathForPort(number).toStdString();
}

OpenedLine OpenLine(const std::string& device) {
    auto line = std::make_unique<QtSerialPort>();
    const QString path = QString::fromStdString(device);
    if (!line->Open(path)) {
        return OpenFailureReason(*line, path);
    }
    return line;
}

std::unique_ptr<SerialPort> NumberedSystemPort() {
    return std::make_unique<NumberedPort>(DeviceOfPort, OpenLine);
}

}  // namespace quellmark
