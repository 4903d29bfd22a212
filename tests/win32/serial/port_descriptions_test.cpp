#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "port_descriptions.h"

namespace quellmark {
namespace {

const std::string kNone = "Kein Ger\u00e4t";

// The ten texts: `described` for the ports it names, "Kein Gerät" for the others.
std::vector<std::string> Texts(const std::map<int, std::string>& described) {
    std::vector<std::string> texts(10, kNone);
    for (const auto& [port, text] : described) {
        texts[static_cast<std::size_t>(port - 1)] = text;
    }
    return texts;
}

struct DescriptionCase {
    const char* name;
    PortRegistry registry;
    std::map<std::string, std::string> environment;
    std::map<int, std::string> expected;
};

const DescriptionCase kCases[] = {
    {"nothing there", {}, {}, {}},
    {"friendly name before the kernel's device name, COM10 not taken for COM1",
     {{{L"COM1", L"\\Device\\Serial0"},
       {L"COM3", L"\\Device\\USBSER000"},
       {L"COM10", L"\\Device\\VCP0"}},
      {{L"COM3", L"USB-Seriell \u00fcber CH340 (COM3)"}}},
     {},
     {{1, "\\Device\\Serial0 (COM1)"},
      {3, "USB-Seriell \u00fcber CH340 (COM3)"},
      {10, "\\Device\\VCP0 (COM10)"}}},
    {"port names in any case; empty texts and ports above 10 say nothing",
     {{{L"com4", L"\\Device\\Serial1"}, {L"COM12", L"\\Device\\VCP1"}},
      {{L"Com4", L""}, {L"COM5", L""}, {L"COM12", L"USB Serial Port (COM12)"}}},
     {},
     {{4, "\\Device\\Serial1 (COM4)"}}},
    {"a device named by the variable, present or not",
     {{{L"COM2", L"\\Device\\Serial1"}}, {{L"COM2", L"Kommunikationsanschluss (COM2)"}}},
     {{"QUELLMARK_COM2", "\\\\.\\COM12"}, {"QUELLMARK_COM7", "Z:\\dev\\pts\\3"}},
     {{2, "\\\\.\\COM12 (QUELLMARK_COM2)"}, {7, "Z:\\dev\\pts\\3 (QUELLMARK_COM7)"}}},
};

TEST(PortDescriptionsTest, TenTextsFromRegistryFriendlyNamesAndEnvironment) {
    for (const DescriptionCase& test : kCases) {
        const EnvironmentLookup environment = [&test](const char* name) {
            const auto found = test.environment.find(name);
            return found == test.environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(DescribePorts(test.registry, environment), Texts(test.expected)) << test.name;
    }
}

// The system's own map of serial ports, read through the functions looked up when the list
// first opens: a port added to it is there.
TEST(PortDescriptionsTest, ReadsTheSystemsMapOfSerialPorts) {
    HKEY map = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &map, nullptr),
              ERROR_SUCCESS);
    const wchar_t kDevice[] = L"\\Device\\QuellmarkTest";
    const wchar_t kPort[] = L"COM9";
    RegSetValueExW(map, kDevice, 0, REG_SZ, reinterpret_cast<const BYTE*>(kPort), sizeof(kPort));
    const PortRegistry registry = ReadPortRegistry();
    RegDeleteValueW(map, kDevice);
    RegCloseKey(map);
    EXPECT_NE(std::ranges::find(registry.serialComm,
                                std::pair<std::wstring, std::wstring>(kPort, kDevice)),
              registry.serialComm.end());
}

}  // namespace
}  // namespace quellmark
