// Arbitrary bytes from a server, cut into arbitrary chunks, give the same line data, answers and
// COM port state as in one piece; the answers are whole Telnet commands; and what we encode
// reads back as the data we meant, whichever way binary was negotiated.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "telnet_session.h"

using namespace quellmark;
using namespace std::string_literals;

static void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The first byte of each chunk gives its length, so the fuzzer explores every way of splitting.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TelnetSession chunked;
    TelnetReceived pieces;
    std::string stream;
    for (std::size_t offset = 0; offset < size;) {
        const std::size_t length = 1 + data[offset++] % 64;
        const std::size_t taken = std::min(length, size - offset);
        const std::string chunk(reinterpret_cast<const char*>(data + offset), taken);
        offset += taken;
        stream += chunk;
        const TelnetReceived piece = chunked.Receive(chunk);
        pieces.data += piece.data;
        pieces.reply += piece.reply;
        Check(!(piece.comPortRefused && pieces.comPortRefused));
        pieces.comPortRefused |= piece.comPortRefused;
    }
    TelnetSession whole;
    const TelnetReceived all = whole.Receive(stream);
    Check(all.data == pieces.data && all.reply == pieces.reply);
    Check(all.comPortRefused == pieces.comPortRefused && whole.ComPort() == chunked.ComPort());
    Check(TelnetSession().Receive(all.reply).data.empty());

    // What we encode reads back unchanged at a peer that takes it in binary, and at one that
    // does not once that peer has refused binary.
    const bool refused = size > 0 && data[0] % 2 == 1;
    TelnetSession encoder;
    TelnetSession peer;
    encoder.Receive(refused ? "\xFF\xFE\x00"s : "");  // IAC DONT BINARY
    peer.Receive(refused ? "" : "\xFF\xFB\x00"s);     // IAC WILL BINARY
    Check(peer.Receive(encoder.Encode(stream)).data == stream);
    return 0;
}
