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

// Where port `number` leads: a device named by the variable, one of the present ports, or
// nowhere (an empty path).
struct PortChoice {
    QString path;
    QString description;
    bool fromVariable = false;
};

PortChoice ChoosePort(int number, const EnvironmentLookup& environment, const PortLister& present) {
    if (number < 1 || number > kPortCount) {
        return {};
    }
    const QString configured = QString::fromStdString(ConfiguredDevice(number, environment));
    if (!configured.isEmpty()) {
        return {configured, {}, true};
    }
    const std::vector<PresentPort> ports = InNumberingOrder(present());
    const std::size_t index = std::size_t(number - 1);
    if (index >= ports.size()) {
        return {};
    }
    return {ports[index].path, ports[index].description};
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
    return ChoosePort(number, environment, present).path;
}

QString DescribePort(int number, const EnvironmentLookup& environment, const PortLister& present) {
    const PortChoice choice = ChoosePort(number, environment, present);
    if (choice.path.isEmpty()) {
        return QStringLiteral("Kein Gerät");
    }
    if (choice.fromVariable) {
        return QStringLiteral("%1 (%2)").arg(choice.path,
                                             QString::fromStdString(PortVariableName(number)));
    }
    if (choice.description.isEmpty()) {
        return choice.path;
    }
    return QStringLiteral("%1 – %2").arg(choice.path, choice.description);
}

QString DevicePathForPort(int number) {
    return DevicePathForPort(number, SystemEnvironment, PresentSystemPorts);
}

std::vector<std::string> DescribeAllPorts() {
    std::optional<std::vector<PresentPort>> present;
    const PortLister askedOnce = [&present] {
        if (!present) {
            present = PresentSystemPorts();
        }
        return *present;
    };
    std::vector<std::string> texts;
    for (int number = 1; number <= kPortCount; ++number) {
        texts.push_back(DescribePort(number, SystemEnvironment, askedOnce).toStdString());
    }
    return texts;
}

std::string SystemEnvironment(const char* name) {
    return qgetenv(name).toStdString();
}

}  // namespace quellmark
