// The network side of the far end (see far_end_server.cpp): ser2net on 127.0.0.1 in front of the
// modem simulator's terminal.
#pragma once

#include <signal.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "local_network.h"

namespace far_end {

inline FILE* ser2net = nullptr;
inline int ser2netPid = 0;

inline void StopSer2net() {
    if (ser2net != nullptr) {
        kill(ser2netPid, SIGTERM);
        pclose(ser2net);
        ser2net = nullptr;
    }
}

// ser2net in front of `device` with three accepters: "rfc2217", whose own line settings are 4800
// baud, so that 9600 at the terminal shows that the client set them; "tcp", raw at 9600; and
// "telnet", which refuses the COM port option. Gives the address of the one named `accepter`,
// "rfc2217://127.0.0.1:PORT" or for tcp "socket://127.0.0.1:PORT".
inline std::string StartSer2net(const std::string& directory, const std::string& device,
                                const std::string& accepter) {
    StopSer2net();
    const std::string names[] = {"rfc2217", "tcp", "telnet"};
    const char* const kinds[] = {"telnet(rfc2217),tcp", "tcp", "telnet,tcp"};
    int ports[3], chosen = -1;
    std::ofstream config(directory + "/ser2net.yaml");
    for (int i = 0; i < 3; ++i) {
        ports[i] = local_network::FreePort();
        chosen = names[i] == accepter ? i : chosen;
        config << "connection: &" << names[i] << "\n  accepter: " << kinds[i] << ",127.0.0.1,"
               << ports[i] << "\n  connector: serialdev," << device << ","
               << (i == 0 ? "4800n81" : "9600n81") << ",local\n";
    }
    config.close();
    const std::string start = "echo $$; exec ser2net -n -u -c " + directory + "/ser2net.yaml -P " +
                              directory + "/ser2net.pid >/dev/null 2>&1";
    ser2net = popen(start.c_str(), "r");
    std::fscanf(ser2net, "%d", &ser2netPid);
    const auto listening = [&] {
        return local_network::Listening(ports[0]) && local_network::Listening(ports[1]) &&
               local_network::Listening(ports[2]);
    };
    for (int i = 0; i < 100 && !listening(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (chosen < 0 || !listening()) {
        return "error: ser2net does not listen";
    }
    return (chosen == 1 ? "socket://127.0.0.1:" : "rfc2217://127.0.0.1:") +
           std::to_string(ports[chosen]);
}

}  // namespace far_end
