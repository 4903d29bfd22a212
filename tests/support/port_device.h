#pragma once

#include <QByteArray>
#include <string>

namespace quellmark::test_support {

// Points port `number` at `device` while it lives.
class PortDevice {
public:
    PortDevice(int number, const std::string& device)
        : name_("QUELLMARK_COM" + QByteArray::number(number)) {
        qputenv(name_.constData(), QByteArray::fromStdString(device));
    }
    ~PortDevice() { qunsetenv(name_.constData()); }
    PortDevice(const PortDevice&) = delete;
    PortDevice& operator=(const PortDevice&) = delete;

private:
    QByteArray name_;
};

}  // namespace quellmark::test_support
