#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace quellmark::testing {

// Which systems play a row: most of quellmark-ctl behaves alike on both, a few cases exist on one.
enum class Systems { kBoth, kLinux, kWindows };

// What is at the far end of the line while quellmark-ctl runs.
enum class FarEnd {
    kSimulator,  // the modem simulator, with the row's options
    kNothing,    // nothing where the port leads
    // The simulator, with its device held by another program. Under Wine, which lets a second
    // program open a port, the open is refused with ERROR_ACCESS_DENIED as Windows refuses it.
    kHeld,
    kForbidden,  // the simulator, and the program runs as a user who may not open its device
    kPlainFile,  // an ordinary file where the port leads
    // ser2net on 127.0.0.1 in front of the simulator, "@PORT" its address: an RFC 2217 accepter
    // whose own line settings are not the line's, a raw TCP one, a Telnet one without the COM port
    // option.
    kRfc2217,
    kRawTcp,
    kTelnetOnly,
    kNobody,      // an address on 127.0.0.1 where nobody listens
    kUnanswered,  // an address on 127.0.0.1 whose connects never complete
    kOwnNetwork,  // the program runs in a network of its own whose name server stays silent
};

// What a far end on the network is asked for on the Linux side (see local_network.h); nothing for
// the others.
inline std::string AddressRequest(FarEnd farEnd) {
    const char* const requests[] = {"ser2net rfc2217", "ser2net tcp", "ser2net telnet", "nobody",
                                    "unanswered"};
    const int network = int(farEnd) - int(FarEnd::kRfc2217);
    return network >= 0 && network < 5 ? requests[network] : "";
}

// Where quellmark-ctl's standard output goes.
enum class Output {
    kCaptured,    // a pipe on Linux, a file on Windows, as a script redirects it
    kUnwritable,  // a full disk on Linux, a file opened for reading only on Windows
    kConsole,     // a console, read back from its screen (Windows)
};

// One run of quellmark-ctl and what must come of it.
//
// The arguments are parted by blanks. In them and in the environment's values "@PORT" stands for
// the far end's port as the program is given it on this system: the device's path on Linux, COM1
// under Wine (where COM12 leads there too); a far end reached over the network would give its
// address. Port 1 leads there as well: COM1, and QUELLMARK_COM1 on Linux. The program runs as a
// shell in German starts it, in a folder that holds the row's files and "-modem", another name of
// the far end's device.
struct CtlScenario {
    const char* name;  // letters, digits and '_': names the row in the test's output
    Systems systems = Systems::kBoth;
    FarEnd farEnd = FarEnd::kSimulator;
    std::string simulator{};  // the simulator's options, parted by blanks
    std::string args{};
    std::vector<std::pair<std::string, std::string>> environment{};
    std::vector<std::pair<std::string, std::string>> files{};  // name and content
    std::string input{};                                       // standard input
    Output output = Output::kCaptured;

    int status = 0;
    std::string out{};     // standard output, exactly
    std::string outHas{};  // if given: a part of standard output, checked instead of `out`
    std::string errHas{};  // a part of standard error, there once; if not given, it stays empty
    std::string sent{};    // every byte that reaches the far end, in order
    // If given: the line settings at the simulator's terminal as the first command came, "9600
    // 8N1".
    std::string lineSettings{};
    std::chrono::milliseconds atLeast{};  // the run takes this long at least
    std::chrono::milliseconds atMost{};   // and, if given, this long at most
};

inline void PrintTo(const CtlScenario& row, std::ostream* out) {
    *out << row.name;
}

// What a run of quellmark-ctl gave.
struct CtlOutcome {
    int status = -1;  // -1: it did not end in time
    std::string out, err;
    std::chrono::milliseconds elapsed{};
};

// `text` parted by blanks, with the port in place of "@PORT".
inline std::vector<std::string> Words(const std::string& text, const std::string& port) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) {
        if (const std::size_t at = word.find("@PORT"); at != std::string::npos) {
            word.replace(at, 5, port);
        }
        words.push_back(word);
    }
    return words;
}

// Everything about the run but the bytes at the far end.
inline void ExpectOutcome(const CtlScenario& row, const CtlOutcome& run) {
    EXPECT_EQ(run.status, row.status) << run.err;
    if (row.outHas.empty()) {
        EXPECT_EQ(run.out, row.out);
    }
    EXPECT_NE(run.out.find(row.outHas), std::string::npos) << run.out;
    EXPECT_EQ(run.err.empty(), row.errHas.empty()) << run.err;
    const std::size_t at = run.err.find(row.errHas);
    EXPECT_NE(at, std::string::npos) << run.err;
    EXPECT_TRUE(row.errHas.empty() || run.err.find(row.errHas, at + 1) == std::string::npos)
        << "twice: " << run.err;
    if (row.status == 2) {  // a usage error says why in one line
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_GE(run.elapsed, row.atLeast);
    if (row.atMost.count() > 0) {
        EXPECT_LE(run.elapsed, row.atMost);
    }
}

// What has reached the far end, as `read` gives it: once it is `size` bytes long or 5 s have
// passed, and a moment later, for bytes that should not come.
inline std::string SentBytes(const std::function<std::string()>& read, std::size_t size) {
    using namespace std::chrono_literals;
    for (int wait = 0; read().size() < size && wait < 250; ++wait) {
        std::this_thread::sleep_for(20ms);
    }
    std::this_thread::sleep_for(50ms);
    return read();
}

}  // namespace quellmark::testing
