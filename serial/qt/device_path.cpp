#include "device_path.h"

#include <QtGlobal>
#include <algorithm>
#include <optional>
#include <tuple>

#include "present_ports.h"

namespace quellmark {

namespace {

// Sorts "ttyUSB2" before "ttyUSB10": the name without its trailing digits, then their value
// (a longer run without leading zeros is larger), then the name itself for "ttyS01" and "ttyS1".
auto NaturalKey(const QString& name) {
    qsizetype digitsStart = name.size();
    while (digitsStart > 0 && name[digitsStart - 1].isDigit()) {
        --digitsStart;
    }
    qsizetype valueStart = digitsStart;
    while (valueStart < name.size() - 1 && name[valueStart] == u'0') {
        ++valueStart;
    }
    const QStringView view(name);
    return std::make_tuple(view.first(digitsStart), name.size() - valueStart,
                           view.sliced(valueStart), view);
}

std::vector<PresentPort> InNumberingOrder(std::vector<PresentPort> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const PresentPort& a, const PresentPort& b) {
        return std::tuple(a.kind, NaturalKey(a.name)) < std::tuple(b.kind, NaturalKey(b.name));
    });
    return ports;
}

}  // namespace

PortKind KindOfPort(const QString& name) {
    for (const char* prefix : {"ttyS", "ttyAMA"}) {
        if (name.startsWith(QLatin1String(prefix))) {
            return PortKind::OnBoard;
        }
    }
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        if (name.startsWith(QLatin1String(prefix))) {
            return PortKind::Adapter;
        }
    }
    return PortKind::Other;
}

QString DevicePathForPort(int number, const EnvironmentLookup& environment,
                          const PortLister& present) {
    if (number < 1 || number > kPortCount) {
        return {};
    }
    const QString configured = QString::fromStdString(ConfiguredDevice(number, environment));
    if (!configured.isEmpty()) {
        return configured;
    }
    const std::vector<PresentPort> ports = InNumberingOrder(present());
    const std::size_t index = std::size_t(number - 1);
    return index < ports.size() ? ports[index].path : QString();
}

QString DevicePathForPort(int number) {
    return DevicePathForPort(number, SystemEnvironment, PresentSystemPorts);
}

// The system says of a port its path and, where it has one, its description.
std::vector<std::string> DescribeAllPorts() {
    std::optional<std::vector<PresentPort>> ordered;
    return DescribePorts(SystemEnvironment, [&ordered](int number) {
        if (!ordered) {
            ordered = InNumberingOrder(PresentSystemPorts());
        }
        const std::size_t index = std::size_t(number - 1);
        if (index >= ordered->size()) {
            return std::string();
        }
        const PresentPort& port = (*ordered)[index];
        return (port.description.isEmpty()
                    ? port.path
                    : QStringLiteral("%1 – %2").arg(port.path, port.description))
            .toStdString();
    });
}

std::string SystemEnvironment(const char* name) {
    return qgetenv(name).toStdString();
}

}  // namespace quellmark
