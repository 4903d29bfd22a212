#include "network_failure.h"

#include <winsock2.h>

#include "network_stream.h"
#include "open_failure.h"
#include "system_message.h"

namespace quellmark {

std::string NetworkFailureReason(const NetworkAddress& address, int error) {
    const std::string server = address.host + " Port " + std::to_string(address.port);
    const std::string system = " (" + win32::SystemMessage(DWORD(error)) + ")";
    switch (error) {
        // WSATRY_AGAIN: no name server answered.
        case WSAHOST_NOT_FOUND:
        case WSANO_DATA:
        case WSATRY_AGAIN:
            return "Rechnername " + address.host + " nicht gefunden" + system;
        case WSAECONNREFUSED:
            return server + " nimmt keine Verbindung an" + system;
        case WSAETIMEDOUT:
            return server + " antwortet nicht innerhalb von " +
                   std::to_string(kConnectLimit.count()) + " s";
        case WSAENETUNREACH:
        case WSAEHOSTUNREACH:
            return server + " ist über das Netz nicht erreichbar" + system;
        default:
            return server + ": " + OpenFailureReason(DWORD(error));
    }
}

}  // namespace quellmark
