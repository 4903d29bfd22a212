#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "device_name.h"
#include "port_settings.h"

namespace quellmark {
namespace {

using Fields = std::vector<std::pair<const char*, DWORD>>;

// Every field of the line a driver acts on.
Fields LineFields(const DCB& dcb) {
    return {{"DCBlength", dcb.DCBlength},
            {"BaudRate", dcb.BaudRate},
            {"ByteSize", dcb.ByteSize},
            {"Parity", dcb.Parity},
            {"StopBits", dcb.StopBits},
            {"fBinary", dcb.fBinary},
            {"fParity", dcb.fParity},
            {"fOutxCtsFlow", dcb.fOutxCtsFlow},
            {"fOutxDsrFlow", dcb.fOutxDsrFlow},
            {"fDtrControl", dcb.fDtrControl},
            {"fDsrSensitivity", dcb.fDsrSensitivity},
            {"fOutX", dcb.fOutX},
            {"fInX", dcb.fInX},
            {"fErrorChar", dcb.fErrorChar},
            {"fNull", dcb.fNull},
            {"fRtsControl", dcb.fRtsControl},
            {"fAbortOnError", dcb.fAbortOnError},
            {"XonChar", DWORD(dcb.XonChar)},
            {"XoffChar", DWORD(dcb.XoffChar)},
            {"XonLim", dcb.XonLim},
            {"XoffLim", dcb.XoffLim},
            {"wReserved", dcb.wReserved}};
}

// Whatever the driver reports, the line is 9600 8N1 without flow control, DTR and RTS on.
TEST(ModemLineSettings, TheSameLineFromAZeroedAndFromADirtyDcb) {
    DCB dirty{};
    dirty.BaudRate = CBR_115200;
    dirty.ByteSize = 7;
    dirty.Parity = EVENPARITY;
    dirty.StopBits = TWOSTOPBITS;
    dirty.fOutxCtsFlow = dirty.fOutxDsrFlow = dirty.fOutX = dirty.fInX = TRUE;
    dirty.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dirty.fRtsControl = RTS_CONTROL_TOGGLE;
    dirty.fDsrSensitivity = dirty.fErrorChar = dirty.fNull = dirty.fAbortOnError = TRUE;
    dirty.XonChar = dirty.XoffChar = 0x11;
    dirty.XonLim = dirty.XoffLim = 65535;
    dirty.wReserved = 7;
    // Every field not set here must come out zero: no parity, one stop bit, no flow control.
    DCB expected{};
    expected.DCBlength = sizeof(DCB);
    expected.BaudRate = 9600;
    expected.ByteSize = 8;
    expected.fBinary = TRUE;
    expected.fDtrControl = DTR_CONTROL_ENABLE;
    expected.fRtsControl = RTS_CONTROL_ENABLE;
    expected.XonChar = 0x11;
    expected.XoffChar = 0x13;
    expected.XonLim = expected.XoffLim = 128;
    for (const DCB& reported : {DCB{}, dirty}) {
        EXPECT_EQ(LineFields(ModemLineSettings(reported)), LineFields(expected))
            << "from BaudRate " << reported.BaudRate;
    }
}

// COM10 and above open only through the device namespace; broadcasts name the port without it.
TEST(DeviceNameForPort, DeviceNamespaceNamesUnlessTheEnvironmentNamesAnother) {
    const auto environment = [](const char* name) {
        return std::string(name) == "QUELLMARK_COM3" ? "\\\\.\\COM12" : "";
    };
    const std::pair<int, std::wstring> cases[] = {
        {1, L"\\\\.\\COM1"}, {10, L"\\\\.\\COM10"}, {3, L"\\\\.\\COM12"}, {0, L""}, {11, L""}};
    for (const auto& [number, device] : cases) {
        EXPECT_EQ(DeviceNameForPort(number, environment), device) << number;
    }
    // The system's environment, by way of UTF-8.
    SetEnvironmentVariableW(L"QUELLMARK_COM4", L"Z:\\tmp\\Ger\u00e4t");
    EXPECT_EQ(DeviceNameForPort(4, SystemEnvironment), L"Z:\\tmp\\Ger\u00e4t");
    SetEnvironmentVariableW(L"QUELLMARK_COM4", nullptr);
    EXPECT_EQ(PortNameOf(L"\\\\.\\COM10"), L"COM10");
    EXPECT_EQ(PortNameOf(L"Z:\\dev\\pts\\3"), L"Z:\\dev\\pts\\3");
}

}  // namespace
}  // namespace quellmark
