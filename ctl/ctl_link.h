#pragma once

#include <chrono>
#include <string>

namespace quellmark::ctl {

// What GainSequence needs from the program around it: the serial line and one timer, both on
// the program's one event thread.
class CtlLink {
public:
    virtual ~CtlLink() = default;

    // Hands one command line to the serial port; lines go out in call order.
    virtual void Write(const std::string& line) = 0;
    // Starts the one deadline anew, dropping any earlier one; when it passes, the program calls
    // GainSequence::OnDeadlinePassed.
    virtual void StartDeadline(std::chrono::milliseconds after) = 0;
    // The sequence is over: the program waits until every written byte is on the wire, then
    // leaves its event loop. Called once.
    virtual void Finish() = 0;
};

}  // namespace quellmark::ctl
