#include <gtest/gtest.h>
#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

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

// A ports-class device with its friendly name and port name, as a driver installs one, and a
// port in the device map, both present until the end of the test.
class InstalledPorts {
public:
    InstalledPorts() {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        const wchar_t friendlyName[] = L"USB-SERIAL CH340 (COM8)";
        const wchar_t portName[] = L"COM8";
        SetupDiCreateDeviceInfoW(devices_, L"QUELLMARKTEST", &GUID_DEVCLASS_PORTS, nullptr, nullptr,
                                 DICD_GENERATE_ID, &device_);
        SetupDiRegisterDeviceInfo(devices_, &device_, 0, nullptr, nullptr, nullptr);
        SetupDiSetDeviceRegistryPropertyW(devices_, &device_, SPDRP_FRIENDLYNAME,
                                          reinterpret_cast<const BYTE*>(friendlyName),
                                          sizeof(friendlyName));
        const HKEY key = SetupDiCreateDevRegKeyW(devices_, &device_, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                                 nullptr, nullptr);
        RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName),
                       sizeof(portName));
        RegCloseKey(key);
        const wchar_t mappedPort[] = L"COM6";
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kDeviceMap, kMappedDevice, REG_SZ, mappedPort,
                        sizeof(mappedPort));
    }
    InstalledPorts(const InstalledPorts&) = delete;
    InstalledPorts& operator=(const InstalledPorts&) = delete;
    ~InstalledPorts() {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kDeviceMap, kMappedDevice);
        SetupDiRemoveDevice(devices_, &device_);
        SetupDiDestroyDeviceInfoList(devices_);
    }

private:
    static constexpr wchar_t kDeviceMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
    static constexpr wchar_t kMappedDevice[] = L"\\Device\\QuellmarkTest";
    HDEVINFO devices_ = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
    SP_DEVINFO_DATA device_{sizeof(SP_DEVINFO_DATA), {}, 0, 0};
};

// The system's own lists, read as they are: under Wine, whatever ports it maps (COM1 on most
// machines) and the two installed here.
TEST(PortDescriptionsTest, SystemPortsAreReadFromTheDeviceMapAndThePortsClass) {
    const InstalledPorts installed;
    const std::vector<std::string> texts = DescribeSystemPorts();
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ(texts[5], "\\Device\\QuellmarkTest (COM6)");
    EXPECT_EQ(texts[7], "USB-SERIAL CH340 (COM8)");
    EXPECT_EQ(texts[8], kNone);
}

}  // namespace
}  // namespace quellmark
