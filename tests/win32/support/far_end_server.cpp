// The Linux side of the Windows serial tests: runs a test program under Wine and, while it runs,
// plays the far end of its serial line for it over a local socket, at 127.0.0.1 port
// $QUELLMARK_FAR_END_PORT.
//
//   quellmark-far-end [--simulator PATH] -- COMMAND...
//
// Each request is a line and gets one line back, "ok" and any result or "error". The simulators
// log every command line they receive to $QUELLMARK_FAR_END_DIRECTORY/log, and the line settings
// as the last one came to "settings" there; their device there is "modem", also named "-modem".
//   open                a new pseudo-terminal in place of the last one; gives its device
//   send N              the N bytes that follow the request to the line
//   receive             what has come from the line since the last receive, to "received"
//   settings            the line settings Linux sees, e.g. "9600 8N1" or "9600 8N1 flow", of the
//                       pseudo-terminal or else of the simulator's terminal
//   simulator OPTION... the modem simulator with OPTIONs; with --simulator, Wine's COM1 and COM12
//                       lead to it
//   ser2net ACCEPTER    ser2net in front of the simulator's terminal; gives the address of its
//                       accepter "rfc2217", "tcp" or "telnet"
//   nobody              gives an address on 127.0.0.1 where nobody listens
//   unanswered          gives an address on 127.0.0.1 whose connects never complete (see
//                       local_network.h for these three)
//   own-network ARG...  runs the test program's emulator with ARGs (through the shell) in a
//                       network of its own (see local_network.h), its output to "out" and "err";
//                       gives its exit status
//   hangup              closes the line and ends the simulator, as a pulled adapter does, and
//                       ser2net, as a server that goes away does
#include <arpa/inet.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "local_network.h"

namespace {

std::string directory = "/tmp/quellmark-far-end-XXXXXX", simulatorPath, emulator;
int master = -1, simulatorPid = 0;
FILE *simulator = nullptr, *requests = nullptr;

void HangUp() {
    local_network::StopSer2net();
    close(master);
    master = -1;
    if (simulator != nullptr) {
        kill(simulatorPid, SIGTERM);
        pclose(simulator);
        simulator = nullptr;
    }
}

std::string Open() {
    HangUp();
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios raw{};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || tcgetattr(master, &raw) != 0) {
        return "error";
    }
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    return ptsname(master);
}

// The simulator prints its device once the device and the link can be opened.
std::string StartSimulator(const std::string& options) {
    HangUp();
    const std::string start = "echo $$; exec '" + simulatorPath + "' --link " + directory +
                              "/modem --log " + directory + "/log --settings " + directory +
                              "/settings" + options + " 2>/dev/null";
    simulator = popen(start.c_str(), "r");
    char device[256];
    return std::fscanf(simulator, "%d %255s", &simulatorPid, device) == 2 ? "" : "error";
}

std::string RunInOwnNetwork(const std::string& args) {
    const std::string line =
        "exec '" + emulator + "'" + args + " >" + directory + "/out 2>" + directory + "/err";
    const pid_t child = fork();
    if (child == 0) {
        local_network::EnterOwnNetwork();
        execl("/bin/sh", "sh", "-c", line.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child ? std::to_string(WEXITSTATUS(status))
                                                            : "error";
}

std::string Handle(const std::string& line) {
    const std::string verb = line.substr(0, line.find(' ')), argument = line.substr(verb.size());
    if (verb == "open") {
        return Open();
    }
    if (verb == "send") {
        std::string bytes(std::strtoul(argument.c_str(), nullptr, 10), '\0');
        std::fread(bytes.data(), 1, bytes.size(), requests);
        return write(master, bytes.data(), bytes.size()) == ssize_t(bytes.size()) ? "" : "error";
    }
    if (verb == "receive") {
        std::ofstream received(directory + "/received", std::ios::binary | std::ios::trunc);
        char bytes[4096];
        for (ssize_t count; (count = read(master, bytes, sizeof bytes)) > 0;) {
            received.write(bytes, count);
        }
        return "";
    }
    if (verb == "settings") {
        // On Linux a pseudo-terminal's master end reads the settings of its device end.
        const int terminal =
            master >= 0 ? master
                        : open((directory + "/modem").c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
        const std::string settings = local_network::LineSettings(terminal);
        if (terminal != master) {
            close(terminal);
        }
        return settings;
    }
    if (verb == "simulator") {
        return StartSimulator(argument);
    }
    if (verb == "ser2net" || verb == "nobody" || verb == "unanswered") {
        return local_network::NetworkAddress(line, directory, directory + "/modem");
    }
    if (verb == "own-network") {
        return RunInOwnNetwork(argument);
    }
    if (verb == "hangup") {
        HangUp();
        return "";
    }
    return "error";
}

// Serves one connection after another, a request at a time, until the process ends.
void Serve(int listener) {
    for (int client; (client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        requests = fdopen(client, "r");
        for (char line[1 << 16]; std::fgets(line, sizeof line, requests) != nullptr;) {
            const std::string reply = Handle(std::string(line, std::strlen(line) - 1));
            const std::string answer = (reply.rfind("error", 0) == 0 ? "" : "ok ") + reply + "\n";
            write(client, answer.data(), answer.size());
        }
        std::fclose(requests);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int skip = argc > 3 && std::string(argv[1]) == "--simulator" ? 2 : 0;
    simulatorPath = skip ? argv[2] : "";
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    if (argc < skip + 3 || std::string(argv[skip + 1]) != "--" || !mkdtemp(directory.data()) ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 4) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::fprintf(stderr, "usage: quellmark-far-end [--simulator PATH] -- COMMAND...\n");
        return 2;
    }
    char** command = argv + skip + 2;
    emulator = command[0];
    // The program opens COM1 itself, and COM12 as a port above COM9. Wine reads its port registry
    // when its server starts, so the change waits for the server's end.
    std::string map;
    for (const char* port : {"COM1", "COM12"}) {
        map += std::string("'") + command[0] + "' reg add 'HKLM\\Software\\Wine\\Ports' /v " +
               port + " /d " + directory + "/modem /f && ";
    }
    // "-modem": the device's name for a program given a name that starts with '-'.
    if (skip && (std::system((map + "wineserver -w").c_str()) != 0 ||
                 symlink("modem", (directory + "/-modem").c_str()) != 0)) {
        std::fprintf(stderr, "quellmark-far-end: cannot map the ports\n");
        return 2;
    }
    setenv("QUELLMARK_FAR_END_DIRECTORY", directory.c_str(), 1);
    setenv("QUELLMARK_FAR_END_PORT", std::to_string(ntohs(address.sin_port)).c_str(), 1);
    std::thread(Serve, listener).detach();
    pid_t child = 0;
    int status = 127 << 8;  // as a shell ends for a command it cannot start
    if (posix_spawnp(&child, command[0], nullptr, nullptr, command, environ) == 0) {
        waitpid(child, &status, 0);
    }
    HangUp();
    std::filesystem::remove_all(directory);
    // The serving thread may be inside a request: leave without running destructors under it.
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}
