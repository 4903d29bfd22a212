#include "present_ports.h"

#include <QFile>
#include <QSerialPortInfo>

namespace quellmark {

bool HasUart(const QString& sysfsDir) {
    QFile type(sysfsDir + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly)) {
        return true;
    }
    return type.readAll().trimmed() != "0";
}

std::vector<PresentPort> PresentSystemPorts() {
    std::vector<PresentPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // QSerialPortInfo lists some empty UART slots too: those the firmware announces.
        if (!HasUart(QStringLiteral("/sys/class/tty/") + info.portName())) {
            continue;
        }
        ports.push_back({info.portName(), info.systemLocation(), info.description(),
                         KindOfPort(info.portName())});
    }
    return ports;
}

}  // namespace quellmark
