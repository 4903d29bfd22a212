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

}  // namespace quellmark
