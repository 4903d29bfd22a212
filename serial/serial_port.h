#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace quellmark {

// An open connection to the modem, whatever carries it, used on the program's one event thread.
// Text crosses it one byte per character. Its owner destroys it only outside its event handler.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Runs on the event thread when received bytes are waiting, when written bytes have been
    // handed to the system, and when the device is lost (IsOpen() is false from then on). An empty
    // handler stops the notifications.
    virtual void SetEventHandler(std::function<void()> handler) = 0;
    virtual bool IsOpen() const = 0;
    // Hands what was written to the system first, waiting a short time at most.
    virtual void Close() = 0;
    // Text is UTF-8; it goes out as one byte per character, in call order. Does nothing while
    // closed.
    virtual void Write(const std::string& text) = 0;
    virtual std::size_t WaitingCount() const = 0;
    // Every waiting received byte, in arrival order; empty when none is waiting.
    virtual std::string ReadAll() = 0;
    // Written bytes not yet handed to the system.
    virtual std::size_t UnsentCount() const = 0;
    // Blocks until the system has sent every byte it was handed, and may close the line: only for
    // a program about to end.
    virtual void WaitUntilSent() = 0;
};

// A line opened on a device named by text, or why it could not be opened, for people. Each line
// is one connection: once closed, it stays closed.
using OpenedLine = std::variant<std::unique_ptr<SerialLine>, std::string>;
using LineOpener = std::function<OpenedLine(const std::string& device)>;

// Something about an open line that the user should know but that is no failure, in one line of
// German: a server that runs the line on its own settings.
using RemarkHandler = std::function<void(const std::string& remark)>;

// The port as the window uses it: a line that connects to the chosen port at every Open.
class SerialPort : public SerialLine {
public:
    // The port that the next Open connects to: 1 to 10.
    virtual void SetPortNumber(int number) = 0;
    // Closes any earlier connection first. False when the port has no device or it cannot be
    // opened.
    virtual bool Open() = 0;
};

}  // namespace quellmark
