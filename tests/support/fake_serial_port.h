#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "notifying_line.h"

namespace quellmark::testing {

class FakeSerialPort : public NotifyingLine<SerialPort> {
public:
    void SetPortNumber(int) override {}
    bool Open() override {
        whileOpening();
        open = openSucceeds;
        return open;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Write(const std::string& text) override { writes.push_back(text); }
    std::size_t WaitingCount() const override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }
    std::size_t UnsentCount() const override { return 0; }
    void WaitUntilSent() override {}

    // The modem sends text and the port notifies.
    void Receive(const std::string& text) {
        incoming += text;
        RaiseEvent();
    }
    // The device goes away: the port closes itself and notifies.
    void Lose() {
        open = false;
        RaiseEvent();
    }

    // Runs as the port opens, before it succeeds or fails.
    std::function<void()> whileOpening = [] {};
    bool openSucceeds = true;
    bool open = false;
    std::vector<std::string> writes;
    std::string incoming;
};

}  // namespace quellmark::testing
