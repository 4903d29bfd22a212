#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quellmark {

// The one serial line to the modem. Text crosses it one byte per character.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Called on the event thread whenever received characters are waiting and on other line
    // events, including the loss of the device (after which IsOpen() is false). An empty handler
    // stops the notifications.
    virtual void SetEventHandler(std::function<void()> handler) = 0;

    virtual void SetPortNumber(int number) = 0;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Text is UTF-8; it goes out as one byte per character. Does nothing while closed.
    virtual void Write(const std::string& text) = 0;
    virtual std::size_t WaitingCount() const = 0;
    // Every waiting received byte, in arrival order.
    virtual std::string ReadAll() = 0;
};

}  // namespace quellmark
