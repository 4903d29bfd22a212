#pragma once

#include <QByteArray>
#include <string>

namespace quellmark::test_support {

// Points port `number` at `device` while it lives.
struct PortDevice {
    PortDevice(int number, const std::string& device)
        : name("QUELLMARK_COM" + QByteArray::number(number)) {
        qputenv(name.constData(), QByteArray::fromStdString(device));
    }
    ~PortDevice() { qunsetenv(name.constData()); }
    const QByteArray name;
};

}  // namespace quellmark::test_support
