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

std::string ConnectFailureReason(const NetworkAddress& address, ConnectFailure failure,
                                 std::string_view systemText) {
    const std::string server = address.host + " Port " + std::to_string(address.port);
    const std::string system = " (" + std::string(systemText) + ")";
    switch (failure) {
        case ConnectFailure::HostNotFound:
            return "Rechnername " + address.host + " nicht gefunden" + system;
        case ConnectFailure::Refused:
            return server + " nimmt keine Verbindung an" + system;
        case ConnectFailure::TimedOut:
            return server + " antwortet nicht innerhalb von " +
                   std::to_string(kConnectLimit.count()) + " s";
        case ConnectFailure::Unreachable:
            return server + " ist über das Netz nicht erreichbar" + system;
        case ConnectFailure::Other:
            break;
    }
    return server + ": " + std::string(systemText);
}

}  // namespace quellmark
