#include "open_failure.h"

#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace quellmark {

std::string OpenFailureReason(const QtSerialPort& port, const QString& device) {
    const std::string systemText = port.OpenErrorText().toStdString();
    if (port.OpenError() != QSerialPort::PermissionError) {
        return systemText;
    }
    // QSerialPort reports a device that another program has locked as a permission error too.
    if (access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        return std::string(std::strerror(EACCES)) +
               "; serielle Geräte darf die Gruppe dialout öffnen: sudo adduser $USER dialout, "
               "dann neu anmelden";
    }
    return "belegt, ein anderes Programm benutzt das Gerät (" + systemText + ")";
}

}  // namespace quellmark
