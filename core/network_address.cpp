#include "network_address.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quellmark {

namespace {

constexpr std::string_view kSeparator = "://";
constexpr std::string_view kRfc2217 = "rfc2217";
constexpr std::string_view kRawTcp = "socket";

// Bytes outside printable ASCII become \xNN, so that a message never carries a control sequence.
std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            quoted += c;
        } else {
            quoted += "\\x";
            quoted += "0123456789ABCDEF"[byte >> 4];
            quoted += "0123456789ABCDEF"[byte & 0xF];
        }
    }
    return quoted += '"';
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsLetterDigitHyphen(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

bool AllOf(std::string_view text, bool (*predicate)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), predicate);
}

// The decimal number 0 to `limit`; leading zeros are refused where they may read as octal.
std::optional<unsigned> Decimal(std::string_view text, unsigned limit, bool leadingZeros) {
    if (!AllOf(text, IsDigit) || (!leadingZeros && text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : text) {
        value = value * 10 + unsigned(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

bool IsIpv4(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, '.');
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](std::string_view part) {
               return Decimal(part, 255, false).has_value();
           });
}

// Letters, digits and hyphens in dot-separated labels. A name never ends in a numeric label,
// so such a text must be a whole IPv4 address: "10.1.1" or "2130706433" would otherwise reach
// the resolver, which reads them as addresses of its own making.
bool IsHostNameOrIpv4(std::string_view host) {
    const std::vector<std::string_view> labels = Split(host, '.');
    if (AllOf(labels.back(), IsDigit)) {
        return IsIpv4(host);
    }
    return host.size() <= 253 && std::all_of(labels.begin(), labels.end(), [](auto label) {
               return AllOf(label, IsLetterDigitHyphen) && label.size() <= 63 &&
                      label.front() != '-' && label.back() != '-';
           });
}

// Eight groups of 1 to 4 hex digits, the last two of which may be an IPv4 address; one "::"
// stands for one or more groups of zeros.
bool IsIpv6(std::string_view text) {
    const std::size_t gap = text.find("::");  // a second one leaves an empty group
    const bool hasGap = gap != std::string_view::npos;
    const std::string_view sides[] = {hasGap ? text.substr(0, gap) : text,
                                      hasGap ? text.substr(gap + 2) : std::string_view{}};
    const std::string_view last = hasGap ? sides[1] : sides[0];
    std::size_t groups = 0;
    for (const std::string_view side : sides) {
        if (side.empty()) {
            continue;
        }
        const std::vector<std::string_view> parts = Split(side, ':');
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (side == last && i + 1 == parts.size() && IsIpv4(parts[i])) {
                groups += 2;
            } else if (AllOf(parts[i], IsHexDigit) && parts[i].size() <= 4) {
                groups += 1;
            } else {
                return false;
            }
        }
    }
    return hasGap ? groups <= 7 : groups == 8;
}

std::optional<NetworkProtocol> ProtocolNamed(std::string_view scheme) {
    std::string lower(scheme);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    if (lower == kRfc2217) {
        return NetworkProtocol::Rfc2217;
    }
    if (lower == kRawTcp) {
        return NetworkProtocol::RawTcp;
    }
    return std::nullopt;
}

struct HostAndPort {
    std::string_view host;
    std::optional<std::string_view> port;
};

// Splits "HOST:PORT" or "[IPV6]:PORT", or says why the text cannot be split.
std::variant<HostAndPort, std::string> SplitAuthority(std::string_view authority) {
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos ||
            !(close + 1 == authority.size() || authority[close + 1] == ':')) {
            return Quoted(authority) + " hat nicht die Form [IPV6]:PORT";
        }
        const std::string_view inside = authority.substr(1, close - 1);
        if (!IsIpv6(inside)) {
            return Quoted(inside) + " ist keine IPv6-Adresse";
        }
        const std::string_view after = authority.substr(close + 1);
        return HostAndPort{inside, after.empty() ? std::nullopt : std::optional(after.substr(1))};
    }
    const std::size_t colon = authority.find(':');
    if (colon != authority.rfind(':')) {
        return std::string("eine IPv6-Adresse gehört in eckige Klammern, etwa [::1]:7000");
    }
    if (colon == std::string_view::npos) {
        return HostAndPort{authority, std::nullopt};
    }
    return HostAndPort{authority.substr(0, colon), authority.substr(colon + 1)};
}

// Why the part after "://" is no HOST:PORT, or the address it names.
std::variant<NetworkAddress, std::string> ParseLocation(NetworkProtocol protocol,
                                                        std::string_view location) {
    const std::size_t tail = location.find_first_of("/?#");
    const std::string_view authority = location.substr(0, tail);
    if (authority.find('@') != std::string_view::npos) {
        return std::string("Benutzername und Passwort gehören nicht in die Adresse");
    }
    const auto split = SplitAuthority(authority);
    if (const auto* why = std::get_if<std::string>(&split)) {
        return *why;
    }
    const auto& [host, port] = std::get<HostAndPort>(split);
    if (host.empty()) {
        return std::string("der Rechnername fehlt");
    }
    if (!authority.starts_with('[') && !IsHostNameOrIpv4(host)) {
        return Quoted(host) + " ist kein Rechnername und keine IPv4-Adresse";
    }
    if (!port || port->empty()) {
        return std::string("der Port fehlt (1 bis 65535)");
    }
    const std::optional<unsigned> number = Decimal(*port, 65535, true);
    if (!number || *number == 0) {
        return "Port " + Quoted(*port) + " ist keine Zahl von 1 bis 65535";
    }
    if (tail != std::string_view::npos) {
        return "nach dem Port darf nichts folgen, auch kein " + Quoted(location.substr(tail, 1));
    }
    return NetworkAddress{protocol, std::string(host), std::uint16_t(*number)};
}

}  // namespace

DeviceAddress ParseDeviceAddress(std::string_view device) {
    const std::size_t separator = device.find(kSeparator);
    if (separator == std::string_view::npos) {
        return LocalDevice{};
    }
    const auto refused = [device](std::string_view reason) {
        return RefusedAddress{Quoted(device) + ": " + std::string(reason)};
    };
    if (std::any_of(device.begin(), device.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; })) {
        return refused("Leer- oder Steuerzeichen in der Adresse");
    }
    const std::optional<NetworkProtocol> protocol = ProtocolNamed(device.substr(0, separator));
    if (!protocol) {
        return refused("nur rfc2217://HOST:PORT und socket://HOST:PORT sind möglich");
    }
    auto location = ParseLocation(*protocol, device.substr(separator + kSeparator.size()));
    if (const auto* why = std::get_if<std::string>(&location)) {
        return refused(*why);
    }
    return std::get<NetworkAddress>(std::move(location));
}

std::string NetworkAddressText(const NetworkAddress& address) {
    const bool ipv6 = address.host.find(':') != std::string::npos;
    return std::string(address.protocol == NetworkProtocol::Rfc2217 ? kRfc2217 : kRawTcp) +
           std::string(kSeparator) + (ipv6 ? "[" + address.host + "]" : address.host) + ":" +
           std::to_string(address.port);
}

}  // namespace quellmark
