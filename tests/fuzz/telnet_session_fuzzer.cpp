// Arbitrary bytes from a server, cut into arbitrary chunks, give the same line data, answers and
// COM port state as in one piece, the refusal is told at most once, and the answers are whole
// Telnet commands.
#include <algorithm>
#include <cstdint>

#include "fuzz_check.h"
#include "telnet_session.h"

using namespace quellmark;

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
    return 0;
}
