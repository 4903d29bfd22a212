#include "port_descriptions.h"

#include <algorithm>
#include <cwctype>

namespace quellmark {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 10;

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

std::wstring DescribePort(int number, const PortRegistry& registry,
                          const EnvironmentLookup& environment) {
    const std::wstring variable = L"QUELLMARK_COM" + std::to_wstring(number);
    if (const std::wstring configured = environment(variable.c_str()); !configured.empty()) {
        return configured + L" (" + variable + L")";
    }
    const std::wstring port = L"COM" + std::to_wstring(number);
    if (std::wstring friendly = LookUp(registry.friendlyNames, port); !friendly.empty()) {
        return friendly;
    }
    if (const std::wstring device = LookUp(registry.serialComm, port); !device.empty()) {
        return device + L" (" + port + L")";
    }
    return L"Kein Ger\u00e4t";
}

}  // namespace

std::vector<std::wstring> DescribePorts(const PortRegistry& registry,
                                        const EnvironmentLookup& environment) {
    std::vector<std::wstring> texts;
    for (int number = kFirstPort; number <= kLastPort; ++number) {
        texts.push_back(DescribePort(number, registry, environment));
    }
    return texts;
}

std::vector<std::wstring> DescribeSystemPorts() {
    return DescribePorts(ReadPortRegistry(), SystemEnvironment);
}

}  // namespace quellmark
