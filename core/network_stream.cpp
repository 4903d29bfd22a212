#include "network_stream.h"

namespace quellmark {

NetworkStream::NetworkStream(NetworkProtocol protocol) {
    if (protocol == NetworkProtocol::Rfc2217) {
        telnet_.emplace();
    }
}

std::string NetworkStream::Start() const {
    return telnet_ ? telnet_->Start() : std::string();
}

TelnetReceived NetworkStream::Receive(std::string_view bytes) {
    return telnet_ ? telnet_->Receive(bytes) : TelnetReceived{std::string(bytes), {}, false};
}

std::string NetworkStream::Encode(std::string_view bytes) const {
    return telnet_ ? telnet_->Encode(bytes) : std::string(bytes);
}

std::string ServerSettingsRemark(const NetworkAddress& address) {
    return NetworkAddressText(address) +
           ": der Server stellt die Leitung nicht ein, sie läuft mit seinen Einstellungen";
}

}  // namespace quellmark
