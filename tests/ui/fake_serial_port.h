#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "serial_port.h"

namespace quellmark::testing {

class FakeSerialPort : public SerialPort {
public:
    void SetEventHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void SetPortNumber(int number) override { portNumber = number; }
    bool Open() override { return open = openSucceeds; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Write(const std::string& text) override { writes.push_back(text); }
    std::size_t WaitingCount() const override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }

    // The modem sends text and the port notifies.
    void Receive(const std::string& text) {
        incoming += text;
        handler_();
    }

    bool openSucceeds = true;
    bool open = false;
    int portNumber = 0;
    std::vector<std::string> writes;
    std::string incoming;

private:
    std::function<void()> handler_;
};

}  // namespace quellmark::testing
