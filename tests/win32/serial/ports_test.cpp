#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "device_name.h"
#include "port_descriptions.h"
#include "port_settings.h"

namespace quellmark {
namespace {

// The bytes of `dcb`, so that a field that differs shows where it lies.
std::string Bytes(const DCB& dcb) {
    return {reinterpret_cast<const char*>(&dcb), sizeof dcb};
}

// Whatever the driver reports, the line is 9600 8N1 without flow control, DTR and RTS on; only the
// end-of-file and event characters, which nothing here uses, are kept.
TEST(ModemLineSettings, EveryFieldOfTheLineSetWhateverTheDriverReported) {
    DCB reported;
    std::memset(&reported, 0xA5, sizeof reported);
    DCB expected{};
    expected.DCBlength = sizeof(DCB);
    expected.BaudRate = 9600;
    expected.ByteSize = 8;
    expected.fBinary = TRUE;
    expected.fDtrControl = DTR_CONTROL_ENABLE;
    expected.fTXContinueOnXoff = TRUE;
    expected.fRtsControl = RTS_CONTROL_ENABLE;
    expected.XonChar = 0x11;
    expected.XoffChar = 0x13;
    expected.XonLim = expected.XoffLim = 128;
    expected.EofChar = expected.EvtChar = reported.EofChar;
    EXPECT_EQ(Bytes(ModemLineSettings(reported)), Bytes(expected));
}

// COM10 and above open only through the device namespace.
TEST(DeviceNameForPort, TheDeviceNamespaceUnlessTheVariableNamesAnother) {
    const auto environment = [](const char* name) {
        return std::string(name) == "QUELLMARK_COM3" ? "\\\\.\\COM12" : "";
    };
    const std::pair<int, std::wstring> cases[] = {
        {1, L"\\\\.\\COM1"}, {10, L"\\\\.\\COM10"}, {3, L"\\\\.\\COM12"}};
    for (const auto& [number, device] : cases) {
        EXPECT_EQ(DeviceNameForPort(number, environment), device) << number;
    }
}

// The ten texts: `described` for the ports it names, "Kein Gerät" for the others.
std::vector<std::string> Texts(const std::map<int, std::string>& described) {
    std::vector<std::string> texts(10, "Kein Ger\u00e4t");
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

TEST(DescribePorts, TenTextsFromRegistryFriendlyNamesAndEnvironment) {
    for (const DescriptionCase& test : kCases) {
        const EnvironmentLookup environment = [&test](const char* name) {
            const auto found = test.environment.find(name);
            return found == test.environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(DescribePorts(test.registry, environment), Texts(test.expected)) << test.name;
    }
}

}  // namespace
}  // namespace quellmark
