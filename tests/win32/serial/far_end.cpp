#include "far_end.h"

#include <gtest/gtest.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "hex_bytes.h"

namespace quellmark::test_support {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        throw std::runtime_error(std::string(name) + " is not set: run under quellmark-far-end");
    }
    return value;
}

// Wine opens a Unix path through its drive Z:, which is the Unix root.
std::wstring WindowsPath(const std::string& unixPath) {
    return L"Z:" + std::wstring(unixPath.begin(), unixPath.end());
}

}  // namespace

FarEnd::FarEnd() : directory_(Environment("QUELLMARK_FAR_END_DIR")) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(u_short(std::stoi(Environment("QUELLMARK_FAR_END_PORT"))));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot reach quellmark-far-end");
    }
}

FarEnd::~FarEnd() {
    closesocket(socket_);
    WSACleanup();
}

std::wstring FarEnd::OpenTerminal() {
    return WindowsPath(Request("open"));
}

void FarEnd::Send(const std::string& bytes) {
    Request("send " + ToHex(bytes));
}

std::string FarEnd::Receive(std::size_t count, int timeoutMs) {
    return FromHex(Request("receive " + std::to_string(count) + " " + std::to_string(timeoutMs)));
}

std::string FarEnd::Settings() {
    return Request("settings");
}

void FarEnd::HangUp() {
    Request("hangup");
}

void FarEnd::StartSimulator(const std::vector<std::string>& options) {
    std::string line = "simulator";
    for (const std::string& option : options) {
        line += " " + option;
    }
    Request(line);
}

void FarEnd::StopSimulator() {
    Request("stop-simulator");
}

std::string FarEnd::SimulatorLog() const {
    std::ifstream file(std::filesystem::path(WindowsPath(directory_ + "/log")), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::wstring FarEnd::ModemPath() const {
    return WindowsPath(directory_ + "/modem");
}

std::string FarEnd::Request(const std::string& line) {
    const std::string request = line + "\n";
    send(socket_, request.data(), int(request.size()), 0);
    std::string reply;
    char byte;
    while (recv(socket_, &byte, 1, 0) == 1 && byte != '\n') {
        reply += byte;
    }
    if (reply.rfind("ok", 0) != 0) {
        ADD_FAILURE() << "far end, " << line.substr(0, 40) << ": " << reply;
        return {};
    }
    return reply.substr(std::min<std::size_t>(reply.size(), 3));
}

}  // namespace quellmark::test_support
