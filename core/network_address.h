#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quellmark {

enum class NetworkProtocol {
    Rfc2217,  // Telnet with the COM port control option: the line settings travel along
    RawTcp,   // bytes unchanged both ways, on the server's line settings
};

// A serial port on another machine, reached over TCP.
struct NetworkAddress {
    NetworkProtocol protocol;
    std::string host;  // a host name, an IPv4 address, or an IPv6 address without its brackets
    std::uint16_t port;

    bool operator==(const NetworkAddress&) const = default;
};

// A device text that names a device on this machine: /dev/ttyUSB0, COM12, \\.\COM12.
struct LocalDevice {
    bool operator==(const LocalDevice&) const = default;
};

// A text meant as a network address that cannot be used; `reason` is one line of German that
// starts with the text as given, control characters shown as \xNN.
struct RefusedAddress {
    std::string reason;
};

using DeviceAddress = std::variant<LocalDevice, NetworkAddress, RefusedAddress>;

// Every text with "://" in it is meant as a network address: rfc2217://HOST:PORT or
// socket://HOST:PORT, the protocol in any case, HOST a host name, an IPv4 address or an IPv6
// address in brackets, PORT 1 to 65535. Anything else there is refused rather than guessed at.
DeviceAddress ParseDeviceAddress(std::string_view device);

// The address as people write it: "rfc2217://gateway:7000", "socket://[::1]:7000".
std::string NetworkAddressText(const NetworkAddress& address);

}  // namespace quellmark
