#pragma once

#include <string>
#include <string_view>

#include "telnet_negotiation.h"

namespace quellmark {

// Whether the server sets the line for us (the COM port control option of RFC 2217).
enum class ComPortOption {
    Pending,   // offered, not answered yet; the line already works on the server's settings
    Accepted,  // the line settings have been sent
    Refused,   // the line stays on the server's own settings
};

// What one chunk from the server carries.
struct TelnetReceived {
    std::string data;   // the line's own bytes, for the reply parser
    std::string reply;  // to send to the server at once
    // True in the one result in which the server first refuses the COM port option: the moment
    // to tell the user that the line runs on the server's settings.
    bool comPortRefused = false;
};

// The client side of an rfc2217:// connection, without I/O or clock; one object per
// connection. A transport sends Start() once connected, passes every received chunk through
// Receive() and sends its reply, and sends every write through Encode().
//
// Received: commands and subnegotiations may be split anywhere between chunks. Nothing of a
// subnegotiation is kept (notifications and the acknowledgements of our settings are only
// consumed), so an endless one costs no memory; an IAC other than SE or IAC inside one ends it,
// as from a server that left out the SE. While the server does not send in binary, CR NUL
// arrives as the bare CR: the NUL would shift the next reply's columns.
// Sent: the line settings right behind the offer of the COM port option, so that they are in
// effect before the first command (a server reads the offer and agrees before it reads them),
// and again whenever the server turns the option back on. Data leaves unchanged but for 0xFF
// doubled, also before the server has answered: nothing waits for an answer, as some servers
// never give one. Only a server that refuses binary from us gets each CR as CR NUL,
// which it reads back as the bare CR.
class TelnetSession {
public:
    // The offers (COM-PORT-OPTION, BINARY both ways, SUPPRESS-GO-AHEAD) and the line settings.
    std::string Start() const;

    TelnetReceived Receive(std::string_view bytes);

    std::string Encode(std::string_view data) const;

    ComPortOption ComPort() const;

private:
    enum class Reading { Data, Command, Option, Subnegotiation, SubnegotiationCommand };

    void Read(unsigned char byte, TelnetReceived& received);
    void ReadCommand(unsigned char byte, TelnetReceived& received);
    void Negotiate(unsigned char option, TelnetReceived& received);
    void AddData(unsigned char byte, std::string& data);

    TelnetNegotiation negotiation_;
    Reading reading_ = Reading::Data;
    unsigned char verb_ = 0;  // the WILL, WONT, DO or DONT whose option comes next
    bool afterCr_ = false;
    bool refusalReported_ = false;
};

}  // namespace quellmark
