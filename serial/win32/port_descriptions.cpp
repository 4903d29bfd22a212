#include "port_descriptions.h"

#include <algorithm>
#include <cwctype>

#include "text_conversion.h"

namespace quellmark {

namespace {

// Port names are compared as Windows does: "com3" is COM3.
bool SamePortName(const std::wstring& a, const std::wstring& b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) {
        return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
    });
}

// What `pairs` says about the port `name`; empty when it says nothing.
std::wstring LookUp(const std::vector<std::pair<std::wstring, std::wstring>>& pairs,
                    const std::wstring& name) {
    for (const auto& [port, text] : pairs) {
        if (SamePortName(port, name) && !text.empty()) {
            return text;
        }
    }
    return {};
}

// What the registry says port `number` leads to: its friendly name, else its kernel device name
// with the port name.
std::string DescribeSystemPort(int number, const PortRegistry& registry) {
    const std::wstring port = SystemPortName(number);
    if (const std::wstring friendly = LookUp(registry.friendlyNames, port); !friendly.empty()) {
        return win32::ToUtf8(friendly);
    }
    if (const std::wstring device = LookUp(registry.serialComm, port); !device.empty()) {
        return win32::ToUtf8(device + L" (" + port + L")");
    }
    return {};
}

}  // namespace

std::vector<std::string> DescribePorts(const PortRegistry& registry,
                                       const EnvironmentLookup& environment) {
    return DescribePorts(environment,
                         [&registry](int number) { return DescribeSystemPort(number, registry); });
}

std::vector<std::string> DescribeSystemPorts() {
    return DescribePorts(ReadPortRegistry(), SystemEnvironment);
}

}  // namespace quellmark
