#include <gtest/gtest.h>

#include "network_address.h"

namespace quellmark::testing {

TEST(NetworkAddressTest, LocalDevicesAndAcceptedAddresses) {
    for (const char* local : {"/dev/ttyUSB0", "COM12", "\\\\.\\COM12", "rfc2217:/gw:7000", ""}) {
        EXPECT_TRUE(std::holds_alternative<LocalDevice>(ParseDeviceAddress(local))) << local;
    }
    // As given, and as shown to people: the host as typed, an IPv6 one back in its brackets.
    const std::pair<const char*, const char*> accepted[] = {
        {"rfc2217://gateway:7000", "rfc2217://gateway:7000"},
        {"SOCKET://Rack-3.example.org:65535", "socket://Rack-3.example.org:65535"},
        {"rfc2217://192.168.0.10:01", "rfc2217://192.168.0.10:1"},
        {"Rfc2217://[::1]:7000", "rfc2217://[::1]:7000"},
        {"socket://[1:2:3:4:5:6:7:8]:7000", "socket://[1:2:3:4:5:6:7:8]:7000"},
        {"socket://[fe80::a:B]:7000", "socket://[fe80::a:B]:7000"},
        {"socket://[::ffff:10.0.0.1]:7000", "socket://[::ffff:10.0.0.1]:7000"},
        {"rfc2217://2gw:7000", "rfc2217://2gw:7000"}};
    for (const auto& [given, shown] : accepted) {
        const DeviceAddress parsed = ParseDeviceAddress(given);
        ASSERT_TRUE(std::holds_alternative<NetworkAddress>(parsed)) << given;
        EXPECT_EQ(NetworkAddressText(std::get<NetworkAddress>(parsed)), shown);
    }
}

TEST(NetworkAddressTest, RefusesWithTheReason) {
    const std::pair<std::string, const char*> refused[] = {
        {"telnet://gw:23", "nur rfc2217://"},
        {"tcp://gw:23", "nur rfc2217://"},
        {"rfc2217://gw", "Port fehlt"},
        {"socket://[::1]:", "Port fehlt"},
        {"rfc2217://:7000", "Rechnername fehlt"},
        {"rfc2217://gw:0", "keine Zahl von 1 bis 65535"},
        {"rfc2217://gw:65536", "keine Zahl"},
        {"rfc2217://gw:99999999999", "keine Zahl"},
        {"rfc2217://gw:+70", "keine Zahl"},
        {"rfc2217://user@gw:7000", "Benutzername"},
        {"rfc2217://user:pw@gw:7000", "Benutzername"},
        {"rfc2217://gw:7000/", "nach dem Port"},
        {"rfc2217://gw:7000?baud=9600", "nach dem Port"},
        {"rfc2217://gw :7000", "Leer- oder Steuerzeichen"},
        {"rfc2217://gw:7000\n", "Steuerzeichen"},
        {"rfc2217://::1:7000", "eckige Klammern"},
        {"rfc2217://[::1:7000", "Form [IPV6]:PORT"},
        {"rfc2217://[::1]7000", "Form [IPV6]:PORT"},
        {"rfc2217://[:::1]:7000", "keine IPv6"},
        {"rfc2217://[1::2::3]:7000", "keine IPv6"},
        {"rfc2217://[1:2:3:4:5:6:7]:7000", "keine IPv6"},
        {"rfc2217://[1:2:3:4:5:6:7::8]:7000", "keine IPv6"},
        {"rfc2217://[12345::]:7000", "keine IPv6"},
        {"rfc2217://[1.2.3.4::]:7000", "keine IPv6"},
        {"rfc2217://-gw:7000", "kein Rechnername"},
        {"rfc2217://gw_1:7000", "kein Rechnername"},
        {"rfc2217://gw..x:7000", "kein Rechnername"},
        {"rfc2217://" + std::string(64, 'a') + ":7000", "kein Rechnername"},
        // Numeric forms the resolver would read as addresses of its own making.
        {"rfc2217://10.0.0.256:7000", "keine IPv4"},
        {"rfc2217://10.0.1:7000", "keine IPv4"},
        {"rfc2217://2130706433:7000", "keine IPv4"},
        {"rfc2217://010.0.0.1:7000", "keine IPv4"}};
    for (const auto& [given, reason] : refused) {
        const DeviceAddress parsed = ParseDeviceAddress(given);
        ASSERT_TRUE(std::holds_alternative<RefusedAddress>(parsed)) << given;
        EXPECT_NE(std::get<RefusedAddress>(parsed).reason.find(reason), std::string::npos)
            << std::get<RefusedAddress>(parsed).reason;
    }
    // A terminal control sequence in the text must not reach the terminal that shows the message.
    EXPECT_EQ(std::get<RefusedAddress>(ParseDeviceAddress("socket://g\x1b[2J\x7fw:7000")).reason,
              "\"socket://g\\x1B[2J\\x7Fw:7000\": Leer- oder Steuerzeichen in der Adresse");
}

}  // namespace quellmark::testing
