#include <gtest/gtest.h>

#include "network_address.h"

namespace quellmark::testing {

// "local", the address as shown to people, or "refused" and the reason.
std::string Outcome(const std::string& device) {
    const DeviceAddress parsed = ParseDeviceAddress(device);
    if (const auto* address = std::get_if<NetworkAddress>(&parsed)) {
        return NetworkAddressText(*address);
    }
    const auto* refused = std::get_if<RefusedAddress>(&parsed);
    return refused ? "refused " + refused->reason : "local";
}

TEST(NetworkAddressTest, LocalDevicesAndAcceptedAddresses) {
    for (const char* local : {"/dev/ttyUSB0", "COM12", "\\\\.\\COM12", "rfc2217:/gw:7000", ""}) {
        EXPECT_EQ(Outcome(local), "local");
    }
    // Shown as given: the host as typed, an IPv6 one back in its brackets.
    for (const char* given :
         {"rfc2217://gateway:7000", "socket://Rack-3.example.org:65535", "rfc2217://10.0.0.1:1",
          "rfc2217://[::1]:7000", "socket://[1:2:3:4:5:6:7:8]:7000", "socket://[fe80::a:B]:7000",
          "socket://[::ffff:10.0.0.1]:7000", "rfc2217://2gw:7000"}) {
        EXPECT_EQ(Outcome(given), given);
    }
    EXPECT_EQ(Outcome("SOCKET://gw:07000"), "socket://gw:7000");
}

TEST(NetworkAddressTest, RefusesWithTheReason) {
    // Texts without a protocol are rfc2217:// ones.
    const std::pair<const char*, std::vector<std::string>> refused[] = {
        {"nur rfc2217://", {"telnet://gw:23", "tcp://gw:23"}},
        {"Port fehlt", {"gw", "[::1]:"}},
        {"Rechnername fehlt", {":7000"}},
        {"keine Zahl von 1 bis 65535", {"gw:0", "gw:65536", "gw:99999999999", "gw:+70"}},
        {"Benutzername", {"user@gw:7000", "user:pw@gw:7000"}},
        {"nach dem Port", {"gw:7000/", "gw:7000?baud=9600"}},
        {"Leer- oder Steuerzeichen", {"gw :7000", "gw:7000\n"}},
        {"eckige Klammern", {"::1:7000"}},
        {"Form [IPV6]:PORT", {"[::1:7000", "[::1]7000"}},
        {"keine IPv6",
         {"[:::1]:1", "[1::2::3]:1", "[1:2:3:4:5:6:7]:1", "[1:2:3:4:5:6:7::8]:1", "[12345::]:1",
          "[1.2.3.4::]:1"}},
        {"kein Rechnername", {"-gw:7000", "gw_1:7000", "gw..x:7000", std::string(64, 'a') + ":1"}},
        // Numeric forms the resolver would read as addresses of its own making.
        {"keine IPv4", {"10.0.0.256:1", "10.0.1:1", "2130706433:1", "010.0.0.1:1"}}};
    for (const auto& [reason, texts] : refused) {
        for (const std::string& text : texts) {
            const std::string outcome =
                Outcome(text.find(":/") == std::string::npos ? "rfc2217://" + text : text);
            EXPECT_TRUE(outcome.starts_with("refused") && outcome.find(reason) != outcome.npos)
                << text << ": " << outcome;
        }
    }
    // A terminal control sequence in the text must not reach the terminal that shows the message.
    EXPECT_EQ(Outcome("socket://g\x1b[2J\x7fw:7000"),
              "refused \"socket://g\\x1B[2J\\x7Fw:7000\": Leer- oder Steuerzeichen in der Adresse");
}

}  // namespace quellmark::testing
