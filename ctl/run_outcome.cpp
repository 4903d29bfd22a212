#include "run_outcome.h"

#include <algorithm>

namespace quellmark::ctl {

namespace {

std::string Line(std::string_view text) {
    return std::string(kProgramName) + ": " + std::string(text) + "\n";
}

std::string SourceName(std::string_view source) {
    return source == "-" ? "Standardeingabe" : std::string(source);
}

}  // namespace

std::string PortAndDevice(const std::variant<int, std::string>& port, std::string_view device) {
    const std::string label = PortLabel(port);
    if (device.empty() || device == label) {
        return label;
    }
    return label + " (" + std::string(device) + ")";
}

std::string UsageMessage(std::string_view reason) {
    return Line(std::string(reason) + " (Hilfe: " + std::string(kProgramName) + " --help)");
}

std::string OpenFailedMessage(std::string_view portAndDevice, std::string_view reason) {
    return Line(std::string(portAndDevice) + " lässt sich nicht öffnen: " + std::string(reason));
}

std::string DeviceLostMessage(std::string_view portAndDevice) {
    return Line("Verbindung zu " + std::string(portAndDevice) + " verloren");
}

std::string UnsentMessage(std::string_view portAndDevice) {
    return Line(std::string(portAndDevice) + " hat nicht alle Befehle angenommen");
}

std::string OutputFailedMessage() {
    return Line("die Ausgabe ließ sich nicht schreiben");
}

std::string RemarkMessage(std::string_view remark) {
    return Line(remark);
}

std::string UnreadableMessage(std::string_view source, std::string_view reason) {
    return Line(SourceName(source) + " lässt sich nicht lesen: " + std::string(reason));
}

std::string RefusedFileMessage(std::string_view source, std::string_view where) {
    return Line(SourceName(source) + ": " + std::string(where));
}

std::string ReadingsOutput(const CtlOptions& options, const GainSequence& sequence,
                           std::string_view decimalSeparator) {
    if (!options.read) {
        return {};
    }
    if (options.json) {
        return ReadingsJson(sequence.Readings()) + "\n";
    }
    std::string text;
    for (const GainReading& reading : sequence.EndedReadings()) {
        text += ReadingLine(reading, decimalSeparator) + "\n";
    }
    return text;
}

ExitStatus RunExitStatus(const CtlOptions& options, const GainSequence& sequence, bool allSent) {
    if (sequence.DeviceLost() || !allSent) {
        return kDeviceLost;
    }
    const auto& readings = sequence.Readings();
    if (options.read && !std::all_of(readings.begin(), readings.end(), IsComplete)) {
        return kGainMissing;
    }
    return kDone;
}

}  // namespace quellmark::ctl
