#include "port_settings.h"

#include "line_settings.h"

namespace quellmark {

namespace {

// Software flow control is off, but drivers check these whatever the setting: the two
// characters must differ and the limits fit a receive buffer of any size a driver keeps.
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
constexpr WORD kFlowLimitBytes = 128;
// How long the line must stay quiet after a byte for a read to return with what has come: a few
// characters' time at 9600 baud, so that a reply mostly comes in one piece, and well below what a
// person notices.
constexpr DWORD kReadIntervalMs = 10;

bool SetLineSettings(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        return false;
    }
    DCB settings = ModemLineSettings(dcb);
    return SetCommState(port, &settings) != 0;
}

// With an interval and no totals, a read waits for its first byte however long that takes, then
// returns what has come once the line has been quiet for the interval (or the buffer is full).
// No count from the driver is needed, which USB drivers are known to misreport. All write
// time-outs are zero: a write waits until it is done.
bool SetReadTimeouts(HANDLE port) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kReadIntervalMs;
    return SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

DCB ModemLineSettings(const DCB& current) {
    static_assert(!kLineSettings.parityBit && !kLineSettings.flowControl);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = static_cast<DWORD>(kLineSettings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(kLineSettings.dataBits);
    dcb.Parity = NOPARITY;
    dcb.StopBits = kLineSettings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    dcb.XonLim = kFlowLimitBytes;
    dcb.XoffLim = kFlowLimitBytes;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    dcb.ErrorChar = 0;
    dcb.EofChar = current.EofChar;
    dcb.EvtChar = current.EvtChar;
    return dcb;
}

UniqueHandle OpenConfiguredPort(const std::wstring& device) {
    UniqueHandle port(CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!port) {
        return {};
    }
    // Queue sizes are a wish: some virtual COM drivers refuse them and work with their own.
    SetupComm(port.Get(), static_cast<DWORD>(kLineSettings.receiveBufferBytes),
              static_cast<DWORD>(kLineSettings.transmitBufferBytes));
    // What the device sent while nobody listened answers a question of an earlier connection,
    // perhaps for another channel.
    if (!SetLineSettings(port.Get()) || !SetReadTimeouts(port.Get()) ||
        !PurgeComm(port.Get(), PURGE_RXCLEAR | PURGE_RXABORT)) {
        return {};
    }
    return port;
}

}  // namespace quellmark
