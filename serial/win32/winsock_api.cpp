#include "winsock_api.h"

#include "system_library.h"

namespace quellmark {

const WinsockApi& Winsock() {
    static const WinsockApi api = [] {
        const HMODULE library = win32::LoadSystemLibrary(L"ws2_32.dll");
        WinsockApi found;
        bool complete = true;
        const auto find = [&](const char* name, auto& function) {
            win32::FindFunction(library, name, function);
            complete = complete && function != nullptr;
        };
        find("WSAStartup", found.startup);
        find("WSACleanup", found.cleanup);
        find("WSAGetLastError", found.lastError);
        find("WSAAsyncSelect", found.asyncSelect);
        find("WSAIoctl", found.ioctl);
        find("GetAddrInfoW", found.getAddrInfo);
        find("FreeAddrInfoW", found.freeAddrInfo);
        find("socket", found.socket);
        find("setsockopt", found.setSockOpt);
        find("connect", found.connect);
        find("select", found.select);
        find("recv", found.recv);
        find("send", found.send);
        find("shutdown", found.shutdown);
        find("closesocket", found.closeSocket);
        return complete ? found : WinsockApi{};
    }();
    return api;
}

}  // namespace quellmark
