#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace quellmark::ctl {

// The open serial line as quellmark-ctl drives it, on the program's one event thread.
class CtlPort {
public:
    virtual ~CtlPort() = default;

    // Runs when received bytes are waiting, when written bytes have been handed to the system,
    // and when the device is lost (IsOpen() is false from then on).
    virtual void SetEventHandler(std::function<void()> handler) = 0;
    virtual bool IsOpen() const = 0;
    // Text is UTF-8; it goes out as one byte per character, in call order.
    virtual void Write(const std::string& text) = 0;
    // Every waiting received byte, in arrival order; empty when none is waiting.
    virtual std::string ReadAll() = 0;
    // Written bytes not yet handed to the system.
    virtual std::size_t UnsentCount() const = 0;
    // Blocks until the system has sent every byte it was handed: only for a program about to
    // end, after its event loop.
    virtual void WaitUntilSent() = 0;
};

// Why a file could not be read, in the system's words.
struct ReadFailure {
    std::string reason;
};

// What quellmark-ctl needs from the system it runs on; each system's program implements it.
class CtlSystem {
public:
    virtual ~CtlSystem() = default;

    // What PORT may name besides 1 to 10 here, for the help text: "/dev/ttyUSB0".
    virtual std::string PortForms() const = 0;
    // The device that port number 1..10, or the device text as given, leads to; empty for none.
    virtual std::string DeviceOf(const std::variant<int, std::string>& port) = 0;
    // Opens `device` at the line's fixed settings, dropping any input that was waiting. On
    // failure: why, in the system's words, with what to do about it where that is known.
    virtual std::variant<std::unique_ptr<CtlPort>, std::string> Open(const std::string& device) = 0;
    // Starts the one timer anew, dropping an earlier start; `passed` runs on the event thread.
    // Never earlier than `after`.
    virtual void StartTimer(std::chrono::milliseconds after, std::function<void()> passed) = 0;
    virtual void StopTimer() = 0;
    // Runs the event loop until QuitEventLoop().
    virtual void RunEventLoop() = 0;
    virtual void QuitEventLoop() = 0;
    // The user's decimal separator, as the window uses it.
    virtual std::string DecimalSeparator() const = 0;
    // Writes UTF-8 text to standard output or standard error as the system shows it; false when
    // it could not be written in full.
    virtual bool Print(bool toError, const std::string& text) = 0;
    // Every byte of the file at `path` (UTF-8), or of standard input for "-".
    virtual std::variant<std::string, ReadFailure> ReadInput(const std::string& path) = 0;
};

}  // namespace quellmark::ctl
