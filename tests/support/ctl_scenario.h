#pragma once

#include <chrono>
#include <string>
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
};

// Where quellmark-ctl's standard output goes.
enum class Output {
    kPipe,
    kUnwritable,  // a full disk on Linux, a pipe without a reader on Windows
    kConsole,     // a console, read back from its screen (Windows)
};

// One run of quellmark-ctl and what must come of it.
//
// In the arguments and in the environment's values "@PORT" stands for the far end's port as the
// program is given it on this system: the device's path on Linux, COM1 under Wine (where COM12
// leads there too). Port 1 leads there as well: COM1, and QUELLMARK_COM1 on Linux. The program
// runs in a folder of its own, as a shell in German starts it, with the row's files and "-modem",
// another name of the far end's device.
struct CtlScenario {
    const char* name;  // letters, digits and '_': names the row in the test's output
    Systems systems = Systems::kBoth;
    FarEnd farEnd = FarEnd::kSimulator;
    std::vector<std::string> simulator;  // the simulator's options
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::pair<std::string, std::string>> files;  // name and content
    std::string input;                                       // standard input
    Output output = Output::kPipe;

    int status = 0;
    std::string out;                      // standard output, exactly
    std::vector<std::string> outWords;    // if any: each is in standard output, instead of `out`
    std::vector<std::string> errWords;    // each is on standard error; if none, it stays empty
    std::string sent;                     // every byte that reaches the far end, in order
    std::chrono::milliseconds atLeast{};  // the run takes this long at least
    std::chrono::milliseconds atMost{};   // and, if given, this long at most
};

}  // namespace quellmark::testing
