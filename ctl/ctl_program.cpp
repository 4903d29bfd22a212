#include "ctl_program.h"

#include "ctl_run.h"
#include "help_text.h"
#include "run_outcome.h"
#include "saved_gains.h"

namespace quellmark::ctl {

namespace {

int Report(CtlSystem& system, const std::string& message, ExitStatus status) {
    system.Print(true, message);
    return status;
}

bool PrintedOutput(CtlSystem& system, const std::string& text) {
    return text.empty() || system.Print(false, text);
}

// A script that lacks what it asked for must not take the run for a success, whatever else
// happened.
int OutputFailed(CtlSystem& system) {
    return Report(system, OutputFailedMessage(), kOutputFailed);
}

// Puts the settings of --apply's file in place of the command line's; on a refusal, the message.
std::optional<std::string> LoadSettings(CtlOptions& options, CtlSystem& system) {
    const std::string& source = *options.applyFile;
    auto input = system.ReadInput(source);
    if (const auto* failure = std::get_if<ReadFailure>(&input)) {
        return UnreadableMessage(source, failure->reason);
    }
    auto settings = ParseSavedGains(std::get<std::string>(input));
    if (const auto* where = std::get_if<std::string>(&settings)) {
        return RefusedFileMessage(source, *where);
    }
    options.settings = std::get<std::vector<ChannelSetting>>(std::move(settings));
    return std::nullopt;
}

int RunOnDevice(const CtlOptions& options, CtlSystem& system) {
    const std::string device = system.DeviceOf(options.port);
    const std::string portAndDevice = PortAndDevice(options.port, device);
    if (device.empty()) {
        return Report(system, OpenFailedMessage(portAndDevice, "kein Gerät"), kOpenFailed);
    }
    auto opened = system.Open(device);
    if (const std::string* reason = std::get_if<std::string>(&opened)) {
        return Report(system, OpenFailedMessage(portAndDevice, *reason), kOpenFailed);
    }
    SerialLine& port = *std::get<std::unique_ptr<SerialLine>>(opened);
    CtlRun run(system, port, options);
    const bool allSent = run.Run();
    const bool printed =
        PrintedOutput(system, ReadingsOutput(options, run.Sequence(), system.DecimalSeparator()));
    if (run.Sequence().DeviceLost()) {
        system.Print(true, DeviceLostMessage(portAndDevice));
    } else if (!allSent) {
        system.Print(true, UnsentMessage(portAndDevice));
    }
    return printed ? RunExitStatus(options, run.Sequence(), allSent) : OutputFailed(system);
}

}  // namespace

int RunCtlProgram(std::span<const std::string> args, CtlSystem& system, std::string_view version) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return Report(system, UsageMessage(error->reason), kUsageError);
    }
    if (const auto* request = std::get_if<InfoRequest>(&parsed)) {
        const std::string text = *request == InfoRequest::Help
                                     ? HelpText(kProgramName, system.PortForms())
                                     : VersionText(kProgramName, version);
        return PrintedOutput(system, text) ? kDone : OutputFailed(system);
    }
    CtlOptions options = std::get<CtlOptions>(parsed);
    if (options.applyFile) {
        if (const auto refusal = LoadSettings(options, system)) {
            return Report(system, *refusal, kUsageError);
        }
    }
    return RunOnDevice(options, system);
}

}  // namespace quellmark::ctl
