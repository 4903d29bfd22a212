#include "telnet_session.h"

#include <cstdint>

#include "line_settings.h"
#include "telnet_codes.h"

namespace quellmark {

using namespace telnet;

namespace {

// COM port control commands, client to server.
constexpr unsigned char kSetBaudRate = 1;
constexpr unsigned char kSetDataSize = 2;
constexpr unsigned char kSetParity = 3;
constexpr unsigned char kSetStopSize = 4;
constexpr unsigned char kSetControl = 5;
constexpr char kParityNone = 1;
constexpr char kNoFlowControl = 1;

std::string ComPortCommand(unsigned char command, std::string_view value) {
    std::string bytes{char(kIac), char(kSb), char(kComPortOption), char(command)};
    for (const char c : value) {
        bytes += c;
        if (static_cast<unsigned char>(c) == kIac) {
            bytes += c;
        }
    }
    return bytes + char(kIac) + char(kSe);
}

std::string LineSettingsCommands() {
    static_assert(!kLineSettings.parityBit && !kLineSettings.flowControl,
                  "parity and flow control are sent as off");
    const auto baud = std::uint32_t(kLineSettings.baudRate);
    const std::string networkOrder{char(baud >> 24), char(baud >> 16), char(baud >> 8), char(baud)};
    return ComPortCommand(kSetBaudRate, networkOrder) +
           ComPortCommand(kSetDataSize, std::string(1, char(kLineSettings.dataBits))) +
           ComPortCommand(kSetParity, std::string(1, kParityNone)) +
           ComPortCommand(kSetStopSize, std::string(1, char(kLineSettings.stopBits))) +
           ComPortCommand(kSetControl, std::string(1, kNoFlowControl));
}

}  // namespace

std::string TelnetSession::Start() const {
    return negotiation_.Offers() + LineSettingsCommands();
}

TelnetReceived TelnetSession::Receive(std::string_view bytes) {
    TelnetReceived received;
    for (const char c : bytes) {
        Read(static_cast<unsigned char>(c), received);
    }
    return received;
}

void TelnetSession::Read(unsigned char byte, TelnetReceived& received) {
    switch (reading_) {
        case Reading::Data:
            if (byte == kIac) {
                reading_ = Reading::Command;
            } else {
                AddData(byte, received.data);
            }
            break;
        case Reading::Command:
            ReadCommand(byte, received);
            break;
        case Reading::Option:
            reading_ = Reading::Data;
            Negotiate(byte, received);
            break;
        case Reading::Subnegotiation:
            if (byte == kIac) {
                reading_ = Reading::SubnegotiationCommand;
            }
            break;
        case Reading::SubnegotiationCommand:
            if (byte == kIac) {
                reading_ = Reading::Subnegotiation;  // a doubled 0xFF of its content
            } else if (byte == kSe) {
                reading_ = Reading::Data;
            } else {
                ReadCommand(byte, received);
            }
            break;
    }
}

// The byte after an IAC outside a subnegotiation.
void TelnetSession::ReadCommand(unsigned char byte, TelnetReceived& received) {
    reading_ = Reading::Data;
    if (byte == kIac) {
        AddData(byte, received.data);
    } else if (byte >= kWill) {
        verb_ = byte;
        reading_ = Reading::Option;
    } else if (byte == kSb) {
        reading_ = Reading::Subnegotiation;
    }
    // NOP, DM, BRK, IP, AO, AYT, EC, EL, GA and stray bytes mean nothing to a modem line.
}

void TelnetSession::Negotiate(unsigned char option, TelnetReceived& received) {
    const ComPortOption before = ComPort();
    received.reply += negotiation_.Answer(verb_, option);
    const ComPortOption after = ComPort();
    if (after == before) {
        return;
    }
    if (after == ComPortOption::Accepted && before == ComPortOption::Refused) {
        received.reply += LineSettingsCommands();
    } else if (after == ComPortOption::Refused && !refusalReported_) {
        received.comPortRefused = refusalReported_ = true;
    }
}

void TelnetSession::AddData(unsigned char byte, std::string& data) {
    const bool nvtLineEnd =
        afterCr_ && byte == 0 && negotiation_.Theirs(kBinary) != OptionState::Yes;
    afterCr_ = byte == '\r';
    if (!nvtLineEnd) {
        data += char(byte);
    }
}

std::string TelnetSession::Encode(std::string_view data) const {
    const bool binaryRefused = negotiation_.Ours(kBinary) == OptionState::No;
    std::string wire;
    wire.reserve(data.size());
    for (const char c : data) {
        wire += c;
        if (static_cast<unsigned char>(c) == kIac) {
            wire += c;
        } else if (c == '\r' && binaryRefused) {
            wire += '\0';
        }
    }
    return wire;
}

ComPortOption TelnetSession::ComPort() const {
    switch (negotiation_.Ours(kComPortOption)) {
        case OptionState::WantYes:
            return ComPortOption::Pending;
        case OptionState::Yes:
            return ComPortOption::Accepted;
        case OptionState::No:
            break;
    }
    return ComPortOption::Refused;
}

}  // namespace quellmark
