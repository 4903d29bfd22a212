#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "network_address.h"
#include "telnet_session.h"

namespace quellmark {

// How long a network line may take to connect, name lookup included, before it counts as failed.
inline constexpr std::chrono::seconds kConnectLimit{3};

// What a network line does with the bytes it moves, the same on every system: nothing for
// socket://, the Telnet session for rfc2217://. The transports only move bytes.
class NetworkStream {
public:
    explicit NetworkStream(NetworkProtocol protocol);

    // To send once connected.
    std::string Start() const;
    // A chunk from the server: the line's data, what to answer at once, and whether the server
    // has just refused to set the line.
    TelnetReceived Receive(std::string_view bytes);
    // What the program writes (one byte per character already), as it goes to the server.
    std::string Encode(std::string_view bytes) const;

private:
    std::optional<TelnetSession> telnet_;
};

// What the user is told once when the server at `address` refuses to set the line.
std::string ServerSettingsRemark(const NetworkAddress& address);

// The kinds of failed connect that the user is told about in words of the program's own.
enum class ConnectFailure { HostNotFound, Refused, TimedOut, Unreachable, Other };

// Why no connection to `address` came about, in one line of German that names the host and port,
// with the system's words for it in brackets (in their place for Other).
std::string ConnectFailureReason(const NetworkAddress& address, ConnectFailure failure,
                                 std::string_view systemText);

}  // namespace quellmark
