#include "port_list.h"

namespace quellmark {

namespace {

std::string DescribePort(int number, const EnvironmentLookup& environment,
                         const SystemPortDescriber& system) {
    if (const std::string configured = ConfiguredDevice(number, environment); !configured.empty()) {
        return configured + " (" + PortVariableName(number) + ")";
    }
    const std::string described = system(number);
    return described.empty() ? "Kein Gerät" : described;
}

}  // namespace

std::string PortEntryText(int number) {
    return "COM " + std::to_string(number);
}

std::string PortVariableName(int number) {
    return "QUELLMARK_COM" + std::to_string(number);
}

std::string ConfiguredDevice(int number, const EnvironmentLookup& environment) {
    if (number < 1 || number > kPortCount) {
        return {};
    }
    return environment(PortVariableName(number).c_str());
}

std::vector<std::string> DescribePorts(const EnvironmentLookup& environment,
                                       const SystemPortDescriber& system) {
    std::vector<std::string> texts;
    for (int number = 1; number <= kPortCount; ++number) {
        texts.push_back(DescribePort(number, environment, system));
    }
    return texts;
}

}  // namespace quellmark
