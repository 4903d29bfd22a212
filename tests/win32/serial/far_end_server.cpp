// The Linux side of the Windows serial tests. Runs a test program (under Wine) and, while it
// runs, plays the far end of its serial line on request: it makes pseudo-terminals, sends, reads,
// reports their line settings and hangs them up, and starts and ends the modem simulator.
//
//   quellmark-far-end [--simulator PATH] [--wine-port COMn --wine WINE] -- COMMAND...
//
// The test program finds it at 127.0.0.1 port $QUELLMARK_FAR_END_PORT and gets a private
// directory in $QUELLMARK_FAR_END_DIR, where the simulator's link ("modem") and log ("log") go.
// --wine-port maps that port to the link through Wine's port registry before COMMAND starts.
// Requests are lines of words; each gets one line back, "ok" and any result, or "error" and why.
// Bytes travel as hex.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hex_bytes.h"

namespace {

using quellmark::test_support::FromHex;
using quellmark::test_support::ToHex;

// Starts `command`; for the simulator, with its first line going to `stdoutFd` and its trace of
// every exchange nowhere.
pid_t Spawn(const std::vector<std::string>& command, int stdoutFd = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (stdoutFd >= 0) {
            dup2(stdoutFd, STDOUT_FILENO);
            dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
        }
        std::vector<char*> argv;
        for (const std::string& word : command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int WaitExitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Run(const std::vector<std::string>& command) {
    return WaitExitCode(Spawn(command));
}

class FarEnd {
public:
    FarEnd(std::string directory, std::string simulator)
        : directory_(std::move(directory)), simulator_(std::move(simulator)) {}
    // Ends the simulator and the line; requests after this get nothing done.
    void Shutdown() {
        const std::lock_guard lock(mutex_);
        HangUp();
        StopSimulator();
        simulator_.clear();
    }

    std::string Handle(const std::string& line) {
        const std::lock_guard lock(mutex_);
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "open") {
            return OpenTerminal();
        }
        if (verb == "send") {
            std::string hex;
            words >> hex;
            return Send(FromHex(hex));
        }
        if (verb == "receive") {
            std::size_t count = 0;
            int timeoutMs = 0;
            words >> count >> timeoutMs;
            return ToHex(Receive(count, timeoutMs));
        }
        if (verb == "settings") {
            return Settings();
        }
        if (verb == "hangup") {
            HangUp();
            return "";
        }
        if (verb == "simulator") {
            std::vector<std::string> options;
            for (std::string option; words >> option;) {
                options.push_back(option);
            }
            return StartSimulator(options);
        }
        if (verb == "stop-simulator") {
            StopSimulator();
            return "";
        }
        return "error unknown request";
    }

private:
    std::string OpenTerminal() {
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
        for (std::size_t sent = 0; sent < bytes.size();) {
            const ssize_t count = write(master_, bytes.data() + sent, bytes.size() - sent);
            if (count <= 0) {
                return "error cannot write";
            }
            sent += std::size_t(count);
        }
        return "";
    }

    std::string Receive(std::size_t count, int timeoutMs) {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        std::string bytes;
        while (bytes.size() < count && master_ >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            pollfd entry{master_, POLLIN, 0};
            if (left.count() <= 0 || poll(&entry, 1, int(left.count())) != 1) {
                break;
            }
            char chunk[4096];
            const ssize_t got = read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (got <= 0) {
                break;
            }
            bytes.append(chunk, std::size_t(got));
        }
        return bytes;
    }

    // The settings of the line as the far end sees them.
    std::string Settings() const {
        termios line{};
        if (master_ < 0 || tcgetattr(master_, &line) != 0) {
            return "error no line";
        }
        const tcflag_t size = line.c_cflag & CSIZE;
        const int bits = size == CS8 ? 8 : size == CS7 ? 7 : size == CS6 ? 6 : 5;
        const speed_t speed = cfgetospeed(&line);
        std::ostringstream text;
        text << "baud=" << (speed == B9600 ? "9600" : "other") << " bits=" << bits
             << " parity=" << ((line.c_cflag & PARENB) ? "on" : "none")
             << " stop=" << ((line.c_cflag & CSTOPB) ? 2 : 1)
             << " rtscts=" << ((line.c_cflag & CRTSCTS) ? 1 : 0)
             << " xon=" << ((line.c_iflag & IXON) ? 1 : 0)
             << " xoff=" << ((line.c_iflag & IXOFF) ? 1 : 0);
        return text.str();
    }

    void HangUp() {
        if (master_ >= 0) {
            close(master_);
            master_ = -1;
        }
    }

    std::string StartSimulator(const std::vector<std::string>& options) {
        StopSimulator();
        if (simulator_.empty()) {
            return "error no simulator";
        }
        std::vector<std::string> command{simulator_};
        command.insert(command.end(), options.begin(), options.end());
        command.insert(command.end(),
                       {"--link", directory_ + "/modem", "--log", directory_ + "/log"});
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) {
            return "error cannot start the simulator";
        }
        simulator_pid_ = Spawn(command, out[1]);
        close(out[1]);
        // The simulator prints its device once the device and the link can be opened.
        char first = 0;
        const bool ready = read(out[0], &first, 1) == 1;
        close(out[0]);
        return ready ? "" : "error the simulator did not start";
    }

    void StopSimulator() {
        if (simulator_pid_ > 0) {
            kill(simulator_pid_, SIGTERM);
            WaitExitCode(simulator_pid_);
            simulator_pid_ = -1;
        }
    }

    std::mutex mutex_;
    std::string directory_;
    std::string simulator_;
    int master_ = -1;
    pid_t simulator_pid_ = -1;
};

// Serves one connection after another until the process ends.
void Serve(int listener, FarEnd& farEnd) {
    for (;;) {
        const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        std::string pending;
        char chunk[4096];
        for (ssize_t got; (got = read(client, chunk, sizeof chunk)) > 0;) {
            pending.append(chunk, std::size_t(got));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                const std::string result = farEnd.Handle(pending.substr(0, end));
                const std::string reply =
                    (result.rfind("error", 0) == 0 ? result : "ok " + result) + "\n";
                pending.erase(0, end + 1);
                if (write(client, reply.data(), reply.size()) < 0) {
                    break;
                }
            }
        }
        close(client);
    }
}

int Listen(int& port) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 4) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return -1;
    }
    port = ntohs(address.sin_port);
    return listener;
}

}  // namespace

int main(int argc, char** argv) {
    std::string simulator, winePort, wine;
    std::vector<std::string> command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            command.assign(argv + i + 1, argv + argc);
            break;
        }
        std::string* value = arg == "--simulator"   ? &simulator
                             : arg == "--wine-port" ? &winePort
                             : arg == "--wine"      ? &wine
                                                    : nullptr;
        if (value == nullptr || i + 1 == argc) {
            std::fprintf(stderr, "quellmark-far-end: unknown option %s\n", arg.c_str());
            return 2;
        }
        *value = argv[++i];
    }
    char directoryTemplate[] = "/tmp/quellmark-far-end-XXXXXX";
    int port = 0;
    const int listener = Listen(port);
    if (command.empty() || mkdtemp(directoryTemplate) == nullptr || listener < 0) {
        std::fprintf(stderr, "quellmark-far-end: cannot set up\n");
        return 2;
    }
    const std::string directory = directoryTemplate;
    // Wine reads its port registry when its server starts, so the change must be followed by the
    // server's end.
    if (!winePort.empty() && (Run({wine, "reg", "add", "HKLM\\Software\\Wine\\Ports", "/v",
                                   winePort, "/d", directory + "/modem", "/f"}) != 0 ||
                              Run({"wineserver", "-w"}) != 0)) {
        std::fprintf(stderr, "quellmark-far-end: cannot map %s\n", winePort.c_str());
        return 2;
    }
    setenv("QUELLMARK_FAR_END_PORT", std::to_string(port).c_str(), 1);
    setenv("QUELLMARK_FAR_END_DIR", directory.c_str(), 1);
    FarEnd farEnd(directory, simulator);
    std::thread(Serve, listener, std::ref(farEnd)).detach();
    const int exitCode = Run(command);
    farEnd.Shutdown();
    std::filesystem::remove_all(directory);
    // The serving thread may be inside a request: leave without running destructors under it.
    std::fflush(stdout);
    _exit(exitCode);
}
