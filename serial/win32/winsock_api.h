#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

namespace quellmark {

// The Winsock functions the network lines use. They are looked up in ws2_32.dll when the first
// line is made rather than imported: an import would load the DLL before the window's first
// paint, and a run on a serial port never needs it.
struct WinsockApi {
    decltype(&::WSAStartup) startup = nullptr;
    decltype(&::WSACleanup) cleanup = nullptr;
    decltype(&::WSAGetLastError) lastError = nullptr;
    decltype(&::WSAAsyncSelect) asyncSelect = nullptr;
    decltype(&::WSAIoctl) ioctl = nullptr;
    decltype(&::GetAddrInfoW) getAddrInfo = nullptr;
    decltype(&::FreeAddrInfoW) freeAddrInfo = nullptr;
    decltype(&::socket) socket = nullptr;
    decltype(&::setsockopt) setSockOpt = nullptr;
    decltype(&::connect) connect = nullptr;
    decltype(&::select) select = nullptr;
    decltype(&::recv) recv = nullptr;
    decltype(&::send) send = nullptr;
    decltype(&::shutdown) shutdown = nullptr;
    decltype(&::closesocket) closeSocket = nullptr;
};

// The functions, looked up once; all null where this Windows cannot give every one of them.
const WinsockApi& Winsock();

}  // namespace quellmark
