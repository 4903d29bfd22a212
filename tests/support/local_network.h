// What the network tests run on Linux share, on 127.0.0.1 only: Debian's ser2net in front of the
// modem simulator's terminal, addresses where nobody listens or connects never complete, a network
// of one's own, and the settings of a terminal.
#pragma once

#include <arpa/inet.h>
#include <net/if.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace local_network {

// A socket bound to a port on 127.0.0.1 that was free, and the port.
inline int BoundSocket(sockaddr_in& address) {
    const int bound = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    address = {AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof address;
    bind(bound, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(bound, reinterpret_cast<sockaddr*>(&address), &size);
    return bound;
}

// A port on 127.0.0.1 that nobody listens on.
inline int FreePort() {
    sockaddr_in address;
    close(BoundSocket(address));
    return ntohs(address.sin_port);
}

// Read from the system's table: a connection to a gateway would open its device.
inline bool Listening(int port) {
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X 00000000:0000 0A", port);
    std::ifstream table("/proc/net/tcp");
    std::string line;
    while (std::getline(table, line) && line.find(wanted) == std::string::npos) {
    }
    return table.good();
}

// The system answers no connect to a listener whose queue is full: a queue of length 0 holds one
// connection, and nobody takes it. Kept until the process ends. Gives its rfc2217:// address.
inline std::string UnansweredAddress() {
    sockaddr_in address;
    listen(BoundSocket(address), 0);
    connect(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0),
            reinterpret_cast<sockaddr*>(&address), sizeof address);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return "rfc2217://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

inline FILE* ser2net = nullptr;
inline int ser2netPid = 0;

inline void StopSer2net() {
    if (ser2net != nullptr) {
        if (ser2netPid > 0) {  // 0 would be the whole process group
            kill(ser2netPid, SIGTERM);
        }
        pclose(ser2net);
        ser2net = nullptr;
    }
}

// Stops ser2net when it goes.
struct Ser2netStopper {
    ~Ser2netStopper() { StopSer2net(); }
};

// ser2net in front of `device`, its files in `directory`, with three accepters: "rfc2217", whose
// own line settings are 19200 baud, 2 stop bits and RTS/CTS flow control, so that only the
// client's settings bring the terminal to the line's own; "tcp", raw at 9600; and "telnet", which
// refuses the COM port option. Gives the address of the one named `accepter`,
// "rfc2217://127.0.0.1:PORT" or for tcp "socket://127.0.0.1:PORT".
inline std::string StartSer2net(const std::string& directory, const std::string& device,
                                const std::string& accepter) {
    StopSer2net();
    const std::string names[] = {"rfc2217", "tcp", "telnet"};
    const char* const kinds[] = {"telnet(rfc2217),tcp", "tcp", "telnet,tcp"};
    int ports[3], chosen = -1;
    std::ofstream config(directory + "/ser2net.yaml");
    for (int i = 0; i < 3; ++i) {
        ports[i] = FreePort();
        chosen = names[i] == accepter ? i : chosen;
        config << "connection: &" << names[i] << "\n  accepter: " << kinds[i] << ",127.0.0.1,"
               << ports[i] << "\n  connector: serialdev," << device << ","
               << (i == 0 ? "19200n82,rtscts" : "9600n81") << ",local\n";
    }
    config.close();
    const std::string start = "echo $$; exec ser2net -n -u -c " + directory + "/ser2net.yaml -P " +
                              directory + "/ser2net.pid >/dev/null 2>&1";
    ser2net = popen(start.c_str(), "r");
    ser2netPid = std::fscanf(ser2net, "%d", &ser2netPid) == 1 ? ser2netPid : 0;
    const auto listening = [&] {
        return Listening(ports[0]) && Listening(ports[1]) && Listening(ports[2]);
    };
    for (int i = 0; i < 250 && !listening(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (chosen < 0 || !listening()) {
        return "error: ser2net does not listen";
    }
    return (chosen == 1 ? "socket://127.0.0.1:" : "rfc2217://127.0.0.1:") +
           std::to_string(ports[chosen]);
}

// The address that `request` asks for: "ser2net ACCEPTER" (see StartSer2net), "nobody" or
// "unanswered"; none for another.
inline std::string NetworkAddress(const std::string& request, const std::string& directory,
                                  const std::string& device) {
    if (request.rfind("ser2net ", 0) == 0) {
        return StartSer2net(directory, device, request.substr(8));
    }
    if (request == "nobody") {
        return "rfc2217://127.0.0.1:" + std::to_string(FreePort());
    }
    return request == "unanswered" ? UnansweredAddress() : "";
}

// Moves the calling process (as root) into a network of its own with only a loopback, whose name
// server is silent, so that no lookup leaves the machine and each waits for the resolver's
// time-out: an empty resolv.conf names 127.0.0.1, where a socket that nobody reads takes the
// questions. The socket goes along into a program started next. Runs between fork and exec, so
// system calls only; ends the process with status 126 if it cannot.
inline void EnterOwnNetwork() {
    const bool moved = unshare(CLONE_NEWNS | CLONE_NEWNET) == 0 &&
                       mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                       mount("/dev/null", "/etc/resolv.conf", nullptr, MS_BIND, nullptr) == 0;
    const int nameServer = socket(AF_INET, SOCK_DGRAM, 0);
    ifreq loopback{};
    std::strcpy(loopback.ifr_name, "lo");
    loopback.ifr_flags = IFF_UP;
    sockaddr_in address{AF_INET, htons(53), {htonl(INADDR_LOOPBACK)}, {}};
    if (!moved || ioctl(nameServer, SIOCSIFFLAGS, &loopback) != 0 ||
        bind(nameServer, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        _exit(126);
    }
}

// The settings of the terminal `fd` as Linux sees them, e.g. "9600 8N1" or "9600 8N1 flow".
inline std::string LineSettings(int fd) {
    termios tty{};
    tcgetattr(fd, &tty);
    return std::string(cfgetospeed(&tty) == B9600 ? "9600 " : "not-9600 ") +
           ((tty.c_cflag & CSIZE) == CS8 ? "8" : "not-8") + (tty.c_cflag & PARENB ? "P" : "N") +
           (tty.c_cflag & CSTOPB ? "2" : "1") +
           ((tty.c_cflag & CRTSCTS) || (tty.c_iflag & (IXON | IXOFF)) ? " flow" : "");
}

}  // namespace local_network
