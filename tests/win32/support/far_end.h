#pragma once

#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace quellmark::test_support {

// The folder the far end shares with this program, as a Windows path: Wine's drive Z: is the Unix
// root.
inline std::string FarEndFolder() {
    return "Z:" + std::string(std::getenv("QUELLMARK_FAR_END_DIRECTORY"));
}
inline std::string FarEndFile(const std::string& name) {
    std::ifstream file(FarEndFolder() + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The far end of the serial line, played on the Linux side by quellmark-far-end, which started
// this test program; far_end_server.cpp lists the requests. A request that fails fails the test.
class FarEnd {
public:
    FarEnd() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        const char* port = std::getenv("QUELLMARK_FAR_END_PORT");
        sockaddr_in address{AF_INET, htons(u_short(port ? std::atoi(port) : 0)), {}, {}};
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            throw std::runtime_error("cannot reach the far end: run under quellmark-far-end");
        }
    }
    ~FarEnd() { closesocket(socket_); }

    // Sends `line` and then `bytes`; gives what follows "ok" in the reply.
    std::string Request(const std::string& line, const std::string& bytes = "") {
        const std::string request = line + "\n" + bytes;
        send(socket_, request.data(), int(request.size()), 0);
        std::string reply;
        char chunk[4096];
        // One request at a time: nothing follows the reply's line end.
        for (int count; (reply.empty() || reply.back() != '\n') &&
                        (count = recv(socket_, chunk, sizeof chunk, 0)) > 0;) {
            reply.append(chunk, count);
        }
        if (!reply.empty() && reply.back() == '\n') {
            reply.pop_back();
        }
        EXPECT_EQ(reply.substr(0, 2), "ok") << "far end, " << line << ": " << reply;
        return reply.substr(std::min<std::size_t>(reply.size(), 3));
    }

    // A new pseudo-terminal as a Windows path: Wine's drive Z: is the Unix root.
    std::wstring OpenTerminal() {
        const std::string device = Request("open");
        return L"Z:" + std::wstring(device.begin(), device.end());
    }
    void Send(const std::string& bytes) { Request("send " + std::to_string(bytes.size()), bytes); }
    // What the program has sent since the last call.
    std::string Receive() {
        Request("receive");
        return FarEndFile("received");
    }
    std::string SimulatorLog() { return FarEndFile("log"); }

private:
    SOCKET socket_;
};

}  // namespace quellmark::test_support
