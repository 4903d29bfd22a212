#include <gtest/gtest.h>

#include <map>

#include "telnet_session.h"

namespace quellmark::testing {

using namespace std::string_literals;

// Bytes from a readable description: command names, decimal byte values and 'quoted text'.
std::string Wire(std::string_view description) {
    static const std::map<std::string_view, char> names{
        {"IAC", char(255)},  {"DONT", char(254)}, {"DO", char(253)},
        {"WONT", char(252)}, {"WILL", char(251)}, {"SB", char(250)},
        {"SE", char(240)},   {"CR", '\r'},        {"NUL", '\0'}};
    std::string bytes;
    for (std::size_t i = description.find_first_not_of(' '); i < description.size();
         i = description.find_first_not_of(' ', i)) {
        const bool quoted = description[i] == '\'';
        const std::size_t end =
            std::min(description.find(quoted ? '\'' : ' ', i + 1), description.size());
        const std::string token(description.substr(i + quoted, end - i - quoted));
        bytes += quoted ? token
                        : std::string(
                              1, names.contains(token) ? names.at(token) : char(std::stoi(token)));
        i = end + quoted;
    }
    return bytes;
}

const std::string kSettings =  // 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control
    "IAC SB 44 1 0 0 37 128 IAC SE IAC SB 44 2 8 IAC SE IAC SB 44 3 1 IAC SE "
    "IAC SB 44 4 1 IAC SE IAC SB 44 5 1 IAC SE ";

TEST(TelnetSessionTest, AnswersOnceAndKeepsCommandsOutOfTheData) {
    EXPECT_EQ(TelnetSession().Start(), Wire("IAC WILL 44 IAC WILL 0 IAC DO 0 IAC DO 3"));
    using enum ComPortOption;
    const struct {
        std::string server, reply, data;
        ComPortOption comPort;
        bool refusalReported;
    } cases[] = {
        {"IAC DO 44 IAC DO 44", kSettings, "", Accepted, false},
        {"IAC DONT 44 IAC DONT 44", "", "", Refused, true},
        {"IAC DONT 44 IAC DO 44 IAC DONT 44", "IAC WILL 44 " + kSettings + "IAC WONT 44", "",
         Refused, true},
        {"IAC WILL 44", "IAC DONT 44", "", Pending, false},
        // Our offers accepted or refused: nothing to answer, also when repeated.
        {"IAC DO 0 IAC WILL 0 IAC WILL 3 IAC DO 0 IAC WILL 0 IAC WILL 3", "", "", Pending, false},
        {"IAC DONT 0 IAC WONT 0 IAC WONT 3 IAC WONT 3", "", "", Pending, false},
        {"IAC DO 3 IAC DO 3 IAC WILL 0 IAC WONT 0 IAC WONT 0", "IAC WILL 3 IAC DONT 0", "", Pending,
         false},
        {"IAC WILL 1 IAC DO 1 IAC WILL 24 IAC DO 31 IAC DO 34 IAC WILL 1 IAC WONT 5 IAC DONT 5",
         "IAC DONT 1 IAC WONT 1 IAC DONT 24 IAC WONT 31 IAC WONT 34 IAC DONT 1", "", Pending,
         false},
        {"'a' IAC IAC 'b' CR NUL 10 CR 'c' NUL", "",
         "a\xFF"
         "b\r\n\rc\0"s,
         Pending, false},
        {"IAC WILL 0 'OK' CR NUL", "", "OK\r\0"s, Pending, false},
        // Line and modem state, acknowledgements, flow control, unknown, a doubled IAC inside.
        {"IAC SB 44 106 16 IAC SE IAC SB 44 107 IAC IAC IAC SE 'x' IAC SB 44 101 0 0 37 128 IAC SE"
         " IAC SB 44 108 IAC SE IAC SB 44 109 IAC SE IAC SB 24 1 IAC SE 'y'",
         "", "xy", Pending, false},
        {"IAC 241 IAC 242 IAC 243 IAC 244 IAC 245 IAC 246 IAC 247 IAC 248 IAC 249 IAC SE 'x'", "",
         "x", Pending, false},
        {"IAC SB 44 107 'lost SE' IAC WILL 1 'x'", "IAC DONT 1", "x", Pending, false}};
    for (const auto& c : cases) {
        TelnetSession session;
        const TelnetReceived received = session.Receive(Wire(c.server));
        EXPECT_EQ(received.reply, Wire(c.reply)) << c.server;
        EXPECT_EQ(received.data, c.data) << c.server;
        EXPECT_EQ(session.ComPort(), c.comPort) << c.server;
        EXPECT_EQ(received.comPortRefused, c.refusalReported) << c.server;
    }
}

TEST(TelnetSessionTest, EncodesForTheNegotiatedDirection) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "gsm+ A at+vgt=21\r\xFF\xFF"},
        {"IAC DO 0 IAC WONT 0", "gsm+ A at+vgt=21\r\xFF\xFF"},
        {"IAC DONT 0", "gsm+ A at+vgt=21\r\0\xFF\xFF"s},
        {"IAC DONT 0 IAC DO 0", "gsm+ A at+vgt=21\r\xFF\xFF"}};
    for (const auto& [server, sent] : cases) {
        TelnetSession session;
        session.Receive(Wire(server));
        EXPECT_EQ(session.Encode("gsm+ A at+vgt=21\r\xFF"), sent) << server;
    }
}

TEST(TelnetSessionTest, AnyChunkingActsLikeOnePiece) {
    const std::string stream = Wire(
        "IAC DO 44 'gsm' IAC IAC CR NUL IAC SB 44 106 IAC IAC IAC SE IAC WILL 1 IAC DO 3 'x' CR "
        "NUL IAC SB 44 107 'no SE' IAC WILL 24 'y' IAC 241 IAC DONT 44 IAC WILL 0 CR NUL 'z' IAC "
        "DO 44 "
        "IAC DONT 44");
    TelnetSession whole;
    const TelnetReceived expected = whole.Receive(stream);
    ASSERT_EQ(expected.data, "gsm\xFF\rx\ry\r\0z"s);
    const auto inPieces = [&](std::vector<std::size_t> cuts) {
        TelnetSession session;
        TelnetReceived all;
        int refusals = 0;
        cuts.push_back(stream.size());
        for (std::size_t from = 0; const std::size_t to : cuts) {
            const TelnetReceived piece = session.Receive(stream.substr(from, to - from));
            all.data += piece.data;
            all.reply += piece.reply;
            refusals += piece.comPortRefused;
            from = to;
        }
        return std::tuple(all.data, all.reply, refusals, session.ComPort());
    };
    const auto one = std::tuple(expected.data, expected.reply, 1, whole.ComPort());
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 0; cut < stream.size(); ++cut) {
        EXPECT_EQ(inPieces({cut}), one) << cut;
        everyByte.push_back(cut);
    }
    EXPECT_EQ(inPieces(everyByte), one);
}

TEST(TelnetSessionTest, EndlessSubnegotiationHidesNothingAfterIt) {
    TelnetSession session;
    EXPECT_EQ(session.Receive(Wire("IAC SB 44 107") + std::string(1 << 20, 'a')).data, "");
    EXPECT_EQ(session.Receive(Wire("IAC SE 'OK'")).data, "OK");
}

}  // namespace quellmark::testing
