#include "port_settings.h"

namespace quellmark {

namespace {

constexpr DWORD kReceiveBufferBytes = 1024;
constexpr DWORD kTransmitBufferBytes = 512;

bool SetLineSettings(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        return false;
    }
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(port, &dcb) != 0;
}

// All zero: a read waits until every byte asked for has arrived, a write until it is done. The
// reader asks for one byte and then for what the driver holds, so it blocks until data comes and
// never waits for more than is there. The documented "return as soon as one byte arrives" setting
// (MAXDWORD interval and multiplier) is not honoured by Wine, which waits for the whole buffer.
bool SetBlockingTimeouts(HANDLE port) {
    COMMTIMEOUTS timeouts{};
    return SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

UniqueHandle OpenConfiguredPort(const std::wstring& device) {
    UniqueHandle port(CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!port) {
        return {};
    }
    // What the device sent while nobody listened answers a question of an earlier connection,
    // perhaps for another channel.
    if (!SetupComm(port.Get(), kReceiveBufferBytes, kTransmitBufferBytes) ||
        !SetLineSettings(port.Get()) || !SetBlockingTimeouts(port.Get()) ||
        !PurgeComm(port.Get(), PURGE_RXCLEAR | PURGE_RXABORT)) {
        return {};
    }
    return port;
}

}  // namespace quellmark
