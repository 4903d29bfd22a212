#include "port_list.h"

namespace quellmark {

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

}  // namespace quellmark
