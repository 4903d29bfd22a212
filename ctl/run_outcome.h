#pragma once

#include <string>
#include <string_view>

#include "ctl_options.h"
#include "gain_sequence.h"

namespace quellmark::ctl {

inline constexpr std::string_view kProgramName = "quellmark-ctl";

enum ExitStatus : int {
    kDone = 0,
    kOutputFailed = 1,
    kUsageError = 2,
    kOpenFailed = 3,
    kGainMissing = 4,
    kDeviceLost = 5,
};

// The port as the user named it, and the device behind it when that is another text:
// "COM 3 (/dev/ttyUSB0)", "/dev/ttyUSB0".
std::string PortAndDevice(const std::variant<int, std::string>& port, std::string_view device);

// Standard error's lines, each with the program's name in front and a line end.
std::string UsageMessage(std::string_view reason);
std::string OpenFailedMessage(std::string_view portAndDevice, std::string_view reason);
std::string DeviceLostMessage(std::string_view portAndDevice);
std::string UnsentMessage(std::string_view portAndDevice);
std::string OutputFailedMessage();
// What a line has to say about itself, such as a server that keeps its own line settings.
std::string RemarkMessage(std::string_view remark);
// `source` is the file as named on the command line, "-" for standard input.
std::string UnreadableMessage(std::string_view source, std::string_view reason);
std::string RefusedFileMessage(std::string_view source, std::string_view where);

// What --read found, one line per channel or one JSON array; empty without --read.
std::string ReadingsOutput(const CtlOptions& options, const GainSequence& sequence,
                           std::string_view decimalSeparator);

// `allSent`: every written byte reached the wire before the program ended.
ExitStatus RunExitStatus(const CtlOptions& options, const GainSequence& sequence, bool allSent);

}  // namespace quellmark::ctl
