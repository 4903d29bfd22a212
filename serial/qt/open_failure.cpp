#include "open_failure.h"

#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace quellmark {

std::string OpenFailureReason(const QtSerialPort& port, const QString& device) {
    switch (port.OpenError()) {
        case QSerialPort::DeviceNotFoundError:
            return "Gerät nicht gefunden";
        case QSerialPort::PermissionError:
            // QSerialPort reports a device that another program has locked as a permission error
            // too.
            if (access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 &&
                errno == EACCES) {
                return "keine Berechtigung; serielle Geräte darf die Gruppe dialout öffnen: sudo "
                       "adduser $USER dialout, dann neu anmelden";
            }
            return "belegt, ein anderes Programm benutzt das Gerät";
        case QSerialPort::UnsupportedOperationError:
            // The device takes none of a terminal's settings.
            return "kein serielles Gerät";
        default:
            return port.OpenErrorText().toStdString();
    }
}

}  // namespace quellmark
