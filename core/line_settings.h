#pragma once

namespace quellmark {

// The fixed settings of the serial line to the modem; nothing changes them at run time.
struct LineSettings {
    int baudRate;
    int dataBits;
    bool parityBit;
    int stopBits;
    bool flowControl;  // neither hardware (RTS/CTS) nor software (XON/XOFF) when false
    int receiveBufferBytes;
    int transmitBufferBytes;
};

inline constexpr LineSettings kLineSettings{
    .baudRate = 9600,
    .dataBits = 8,
    .parityBit = false,
    .stopBits = 1,
    .flowControl = false,
    .receiveBufferBytes = 1024,
    .transmitBufferBytes = 512,
};

}  // namespace quellmark
