#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <variant>

#include "serial_port.h"

namespace quellmark::ctl {

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
    virtual OpenedLine Open(const std::string& device) = 0;
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
