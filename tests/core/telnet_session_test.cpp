#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "telnet_session.h"

namespace quellmark::testing {

using enum ComPortOption;

// Bytes from a readable description: command names, decimal byte values and words of text.
std::string Wire(const std::string& description) {
    static const std::map<std::string, char> names{
        {"IAC", char(255)},  {"DONT", char(254)}, {"DO", char(253)},
        {"WONT", char(252)}, {"WILL", char(251)}, {"SB", char(250)},
        {"SE", char(240)},   {"CR", '\r'},        {"NUL", '\0'}};
    std::string bytes;
    std::istringstream words(description);
    for (std::string word; words >> word;) {
        const bool number = std::isdigit(static_cast<unsigned char>(word[0]));
        bytes += names.contains(word) ? std::string(1, names.at(word))
                 : number             ? std::string(1, char(std::stoi(word)))
                                      : word;
    }
    return bytes;
}

// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
const std::string kSettings =
    " IAC SB 44 1 0 0 37 128 IAC SE IAC SB 44 2 8 IAC SE IAC SB 44 3 1 IAC SE"
    " IAC SB 44 4 1 IAC SE IAC SB 44 5 1 IAC SE ";

TEST(TelnetSessionTest, AnswersOnceAndKeepsCommandsOutOfTheData) {
    EXPECT_EQ(TelnetSession().Start(),
              Wire("IAC WILL 44 IAC WILL 0 IAC DO 0 IAC DO 3" + kSettings));
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // From the server; the answer; the line data; how a command's end and 0xFF are sent.
        // Our offers, accepted or refused, need no answer, also when repeated; what is already
        // in effect is never acknowledged again. Only binary refused by the server adds a NUL.
        {"IAC DO 0 IAC WILL 0 IAC WILL 3 IAC DO 0 IAC WILL 0 IAC WILL 3 IAC DO 3 IAC DO 3"
         " IAC WONT 0 IAC WONT 0 IAC DONT 0 IAC DONT 0",
         "IAC WILL 3 IAC DONT 0 IAC WONT 0", "", "CR NUL IAC IAC"},
        {"IAC WONT 0 IAC WONT 3 IAC WONT 3", "", "", "CR IAC IAC"},
        {"IAC WILL 44 IAC WILL 1 IAC DO 1 IAC WILL 24 IAC DO 31 IAC WILL 1 IAC WONT 5 IAC DONT 5",
         "IAC DONT 44 IAC DONT 1 IAC WONT 1 IAC DONT 24 IAC WONT 31 IAC DONT 1", "", "CR IAC IAC"},
        // Line and modem state, acknowledgement, flow control, signature, unknown; other commands.
        {"IAC SB 44 106 16 IAC SE IAC SB 44 107 IAC IAC IAC SE x IAC SB 44 101 0 0 37 128 IAC SE"
         " IAC SB 44 108 IAC SE IAC SB 44 100 a IAC IAC b IAC SE IAC SB 24 1 IAC SE y CR NUL 10"
         " IAC 241 IAC 242 IAC 243 IAC 244 IAC 245 IAC 246 IAC 247 IAC 248 IAC 249 IAC SE z NUL",
         "", "x y CR 10 z NUL", "CR IAC IAC"}};
    for (const auto& [server, reply, data, sent] : cases) {
        TelnetSession session;
        const TelnetReceived received = session.Receive(Wire(server));
        EXPECT_EQ(received.reply, Wire(reply)) << server;
        EXPECT_EQ(received.data, Wire(data)) << server;
        EXPECT_EQ(session.ComPort(), Pending) << server;
        EXPECT_EQ(session.Encode("gsm+ A at+vgt=21\r\xFF"), "gsm+ A at+vgt=21" + Wire(sent))
            << server;
    }
}

// Data, answers, refusals told and the final state, from `stream` cut before each of `cuts`.
auto ReceiveInPieces(const std::string& stream, std::vector<std::size_t> cuts) {
    TelnetSession session;
    std::string data, reply;
    int refusals = 0;
    cuts.push_back(stream.size());
    for (std::size_t from = 0; const std::size_t to : cuts) {
        const TelnetReceived piece = session.Receive(stream.substr(from, to - from));
        data += piece.data;
        reply += piece.reply;
        refusals += piece.comPortRefused;
        from = to;
    }
    return std::tuple(data, reply, refusals, session.ComPort());
}

TEST(TelnetSessionTest, AnyChunkingActsLikeOnePiece) {
    const std::string stream = Wire(
        "IAC DO 44 gsm IAC IAC CR NUL IAC SB 44 106 IAC IAC IAC SE IAC WILL 1 IAC DO 3 x CR NUL"
        " IAC SB 44 107 lost IAC WILL 24 y IAC 241 IAC DONT 44 IAC WILL 0 CR NUL z IAC DO 44"
        " IAC DONT 44");
    const auto whole = ReceiveInPieces(stream, {});
    const std::string answers =
        "IAC DONT 1 IAC WILL 3 IAC DONT 24 IAC WONT 44 IAC WILL 44" + kSettings + "IAC WONT 44";
    ASSERT_EQ(whole, std::tuple(Wire("gsm 255 CR x CR y CR NUL z"), Wire(answers), 1, Refused));
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 0; cut < stream.size(); ++cut) {
        EXPECT_EQ(ReceiveInPieces(stream, {cut}), whole) << cut;
        everyByte.push_back(cut);
    }
    EXPECT_EQ(ReceiveInPieces(stream, everyByte), whole);
}

}  // namespace quellmark::testing
