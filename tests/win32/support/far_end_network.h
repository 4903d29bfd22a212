// The network side of the far end (see far_end_server.cpp), on 127.0.0.1 only: ser2net in front
// of the modem simulator's terminal, and a port whose connects never complete.
#pragma once

#include <arpa/inet.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace far_end {

inline FILE* ser2net = nullptr;
inline int ser2netPid = 0;

// A socket bound to a port on 127.0.0.1 that was free, and the port.
inline int BoundSocket(sockaddr_in& address) {
    const int bound = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    address = {AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    bind(bound, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(bound, reinterpret_cast<sockaddr*>(&address), &size);
    return bound;
}

inline int FreePort() {
    sockaddr_in address;
    close(BoundSocket(address));
    return ntohs(address.sin_port);
}

// Read from the system's table: a connection to ser2net would open the device.
inline bool Listening(int port) {
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X 00000000:0000 0A", port);
    std::ifstream table("/proc/net/tcp");
    std::string line;
    while (std::getline(table, line) && line.find(wanted) == std::string::npos) {
    }
    return table.good();
}

inline void StopSer2net() {
    if (ser2net != nullptr) {
        kill(ser2netPid, SIGTERM);
        pclose(ser2net);
        ser2net = nullptr;
    }
}

// ser2net in front of `device`: a telnet(rfc2217) accepter whose own line settings are 4800 baud,
// so that 9600 at the terminal shows that the client set them, and a raw tcp accepter at 9600.
// Gives their addresses, "rfc2217://127.0.0.1:PORT socket://127.0.0.1:PORT".
inline std::string StartSer2net(const std::string& directory, const std::string& device) {
    StopSer2net();
    const int rfc2217 = FreePort(), tcp = FreePort();
    std::ofstream(directory + "/ser2net.yaml")
        << "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp,127.0.0.1," << rfc2217
        << "\n  connector: serialdev," << device << ",4800n81,local\n"
        << "connection: &tcp\n  accepter: tcp,127.0.0.1," << tcp << "\n  connector: serialdev,"
        << device << ",9600n81,local\n";
    const std::string start = "echo $$; exec ser2net -n -u -c " + directory + "/ser2net.yaml -P " +
                              directory + "/ser2net.pid >/dev/null 2>&1";
    ser2net = popen(start.c_str(), "r");
    std::fscanf(ser2net, "%d", &ser2netPid);
    for (int i = 0; i < 100 && !(Listening(rfc2217) && Listening(tcp)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Listening(rfc2217) && Listening(tcp) ? "rfc2217://127.0.0.1:" + std::to_string(rfc2217) +
                                                      " socket://127.0.0.1:" + std::to_string(tcp)
                                                : "error: ser2net does not listen";
}

// The system answers no connect to a listener whose queue is full: a queue of length 0 holds one
// connection, and nobody takes it. Kept until the far end ends.
inline std::string UnansweredPort() {
    sockaddr_in address;
    listen(BoundSocket(address), 0);
    connect(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0),
            reinterpret_cast<sockaddr*>(&address), sizeof address);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return std::to_string(ntohs(address.sin_port));
}

}  // namespace far_end
