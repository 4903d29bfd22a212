// The Linux side of the Windows serial tests: runs a test program under Wine and, while it runs,
// plays the far end of its serial line for it over a local socket, at 127.0.0.1 port
// $QUELLMARK_FAR_END_PORT.
//
//   quellmark-far-end [--simulator PATH] -- COMMAND...
//
// Each request is a line and gets one line back, "ok" and any result or "error" and why; bytes
// travel as hex.
//   open                a new pseudo-terminal in place of the last one; gives its device
//   send HEX            bytes to the line
//   receive N           up to N bytes from the line, what arrives within 5 s
//   settings            the line settings Linux sees, e.g. "9600 8N1" or "9600 8N1 flow"
//   simulator OPTION... the modem simulator with OPTIONs; with --simulator, Wine's COM1 leads to it
//   log                 every command line the simulators have received
//   hangup              closes the line and ends the simulator, as a pulled adapter does
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hex_bytes.h"

namespace {

using quellmark::test_support::FromHex;
using quellmark::test_support::ToHex;

// Runs `command` through the shell, each word quoted.
int Run(const std::vector<std::string>& command) {
    std::string line;
    for (const std::string& word : command) {
        line += " '" + word + "'";
    }
    return WEXITSTATUS(std::system(line.c_str()));
}

class FarEnd {
public:
    FarEnd(std::string directory, std::string simulator)
        : directory_(std::move(directory)), simulatorPath_(std::move(simulator)) {}

    std::string Handle(const std::string& line) {
        const std::lock_guard lock(mutex_);
        std::string verb, argument;
        std::istringstream(line) >> verb >> argument;
        if (verb == "open") {
            return Open();
        }
        if (verb == "send") {
            return Send(FromHex(argument));
        }
        if (verb == "receive") {
            return ToHex(Receive(std::strtoul(argument.c_str(), nullptr, 10)));
        }
        if (verb == "settings") {
            return Settings();
        }
        if (verb == "simulator") {
            return StartSimulator(line.substr(verb.size()));
        }
        if (verb == "log") {
            std::ifstream log(directory_ + "/log", std::ios::binary);
            return ToHex(std::string(std::istreambuf_iterator<char>(log), {}));
        }
        if (verb == "hangup") {
            HangUp();
            return "";
        }
        return "error unknown request";
    }

    void Shutdown() {
        const std::lock_guard lock(mutex_);
        HangUp();
    }

private:
    std::string Open() {
        HangUp();
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw{};
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
            tcgetattr(master_, &raw) != 0) {
            return "error cannot make a pseudo-terminal";
        }
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        return ptsname(master_);
    }

    std::string Send(const std::string& bytes) {
        return write(master_, bytes.data(), bytes.size()) == ssize_t(bytes.size())
                   ? ""
                   : "error cannot write";
    }

    std::string Receive(std::size_t count) {
        std::string bytes;
        pollfd entry{master_, POLLIN, 0};
        char chunk[4096];
        // Gives up after 5 s without a byte.
        for (ssize_t got;
             bytes.size() < count && poll(&entry, 1, 5000) == 1 &&
             (got = read(master_, chunk, std::min(sizeof chunk, count - bytes.size()))) > 0;) {
            bytes.append(chunk, std::size_t(got));
        }
        return bytes;
    }

    std::string Settings() const {
        termios line{};
        if (tcgetattr(master_, &line) != 0) {
            return "error no line";
        }
        const tcflag_t size = line.c_cflag & CSIZE;
        const bool flow = (line.c_cflag & CRTSCTS) || (line.c_iflag & (IXON | IXOFF));
        return std::string(cfgetospeed(&line) == B9600 ? "9600 " : "not-9600 ") +
               (size == CS8   ? "8"
                : size == CS7 ? "7"
                              : "5/6") +
               ((line.c_cflag & PARENB) ? "P" : "N") + ((line.c_cflag & CSTOPB) ? "2" : "1") +
               (flow ? " flow" : "");
    }

    std::string StartSimulator(const std::string& options) {
        HangUp();
        const std::string start = "echo $$; exec '" + simulatorPath_ + "' --link " + directory_ +
                                  "/modem --log " + directory_ + "/log" + options + " 2>/dev/null";
        simulator_ = simulatorPath_.empty() ? nullptr : popen(start.c_str(), "r");
        // The simulator prints its device once the device and the link can be opened.
        char device[256];
        if (simulator_ == nullptr ||
            std::fscanf(simulator_, "%d %255s", &simulatorPid_, device) != 2) {
            return "error the simulator did not start";
        }
        return "";
    }

    void HangUp() {
        if (master_ >= 0) {
            close(master_);
            master_ = -1;
        }
        if (simulator_ != nullptr) {
            kill(simulatorPid_, SIGTERM);
            pclose(simulator_);
            simulator_ = nullptr;
        }
    }

    std::mutex mutex_;
    const std::string directory_, simulatorPath_;
    int master_ = -1;
    FILE* simulator_ = nullptr;
    int simulatorPid_ = 0;
};

// Serves one connection after another, a request at a time, until the process ends.
void Serve(int listener, FarEnd& farEnd) {
    for (int client; (client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        std::string pending;
        char chunk[4096];
        for (ssize_t got; (got = read(client, chunk, sizeof chunk)) > 0;) {
            pending.append(chunk, std::size_t(got));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::string reply = farEnd.Handle(pending.substr(0, end));
                reply = (reply.rfind("error", 0) == 0 ? reply : "ok " + reply) + "\n";
                pending.erase(0, end + 1);
                if (write(client, reply.data(), reply.size()) < 0) {
                    break;
                }
            }
        }
        close(client);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string simulator;
    if (args.size() > 2 && args[0] == "--simulator") {
        simulator = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    char directory[] = "/tmp/quellmark-far-end-XXXXXX";
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    if (args.size() < 2 || args[0] != "--" || mkdtemp(directory) == nullptr ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 4) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::fprintf(stderr, "usage: quellmark-far-end [--simulator PATH] -- COMMAND...\n");
        return 2;
    }
    const std::vector<std::string> command(args.begin() + 1, args.end());
    // The program opens COM1 itself. Wine reads its port registry when its server starts, so the
    // change waits for the server's end.
    if (!simulator.empty() && (Run({command[0], "reg", "add", "HKLM\\Software\\Wine\\Ports", "/v",
                                    "COM1", "/d", std::string(directory) + "/modem", "/f"}) != 0 ||
                               Run({"wineserver", "-w"}) != 0)) {
        std::fprintf(stderr, "quellmark-far-end: cannot map COM1\n");
        return 2;
    }
    setenv("QUELLMARK_FAR_END_PORT", std::to_string(ntohs(address.sin_port)).c_str(), 1);
    FarEnd farEnd(directory, simulator);
    std::thread(Serve, listener, std::ref(farEnd)).detach();
    const int exitCode = Run(command);
    farEnd.Shutdown();
    std::filesystem::remove_all(directory);
    // The serving thread may be inside a request: leave without running destructors under it.
    std::fflush(stdout);
    _exit(exitCode);
}
