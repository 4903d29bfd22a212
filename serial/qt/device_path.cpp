#include "device_path.h"

#include <QByteArray>
#include <QtGlobal>

namespace quellmark {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 10;

QString DefaultDevicePath(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

}  // namespace

QString DevicePathForPort(int number, const EnvironmentLookup& environment) {
    if (number < kFirstPort || number > kLastPort) {
        return {};
    }
    const QByteArray name = "QUELLMARK_COM" + QByteArray::number(number);
    const QString configured = environment(name.constData());
    return configured.isEmpty() ? DefaultDevicePath(number) : configured;
}

QString SystemEnvironment(const char* name) {
    return qEnvironmentVariable(name);
}

}  // namespace quellmark
