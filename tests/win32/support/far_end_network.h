// The network side of the far end (see far_end_server.cpp): ser2net in front of the modem
// simulator's terminal, and a port whose connects never complete. 127.0.0.1 only.
#pragma once

#include <arpa/inet.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace far_end {

inline int ser2netPid = 0;

// A port on 127.0.0.1 that nothing listens on now.
inline int FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

// Waiting for ser2net's listeners without connecting to them: a connection would open the device.
inline bool Listening(int port) {
    char wanted[40];
    std::snprintf(wanted, sizeof wanted, "%08X:%04X 00000000:0000 0A", htonl(INADDR_LOOPBACK),
                  port);
    std::ifstream table("/proc/net/tcp");
    for (std::string line; std::getline(table, line);) {
        if (line.find(wanted) != std::string::npos) {
            return true;
        }
    }
    return false;
}

inline void StopSer2net() {
    if (ser2netPid > 0) {
        kill(ser2netPid, SIGTERM);
        waitpid(ser2netPid, nullptr, 0);
    }
    ser2netPid = 0;
}

// ser2net in front of `device`: a telnet(rfc2217) accepter whose own line settings are 4800 baud,
// so that 9600 at the terminal shows that the client has set them, and a raw tcp accepter at
// 9600. Gives both ports, "RFC2217 TCP".
inline std::string StartSer2net(const std::string& directory, const std::string& device) {
    StopSer2net();
    const int rfc2217 = FreePort(), tcp = FreePort();
    const std::string config = directory + "/ser2net.yaml";
    std::ofstream(config) << "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp,127.0.0.1,"
                          << rfc2217 << "\n  connector: serialdev," << device
                          << ",4800n81,local\nconnection: &tcp\n  accepter: tcp,127.0.0.1," << tcp
                          << "\n  connector: serialdev," << device << ",9600n81,local\n";
    const std::string pidFile = directory + "/ser2net.pid";
    if ((ser2netPid = fork()) == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execlp("ser2net", "ser2net", "-n", "-u", "-c", config.c_str(), "-P", pidFile.c_str(),
               nullptr);
        _exit(127);
    }
    for (int i = 0; i < 100 && !(Listening(rfc2217) && Listening(tcp)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Listening(rfc2217) && Listening(tcp)
               ? std::to_string(rfc2217) + " " + std::to_string(tcp)
               : "error: ser2net does not listen";
}

// A port whose connects wait for ever: its listener's queue is full and nobody takes from it, so
// the system drops every further connection request unanswered. Kept until the far end ends.
inline std::string UnansweredPort() {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 0) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return "error";
    }
    // A queue of length 0 holds one connection; the second fills what is left of it.
    for (int i = 0; i < 2; ++i) {
        const int filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        connect(filler, reinterpret_cast<sockaddr*>(&address), size);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return std::to_string(ntohs(address.sin_port));
}

}  // namespace far_end
