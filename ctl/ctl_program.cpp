#include "ctl_program.h"

#include "ctl_run.h"
#include "help_text.h"
#include "run_outcome.h"

namespace quellmark::ctl {

namespace {

int Report(CtlSystem& system, const std::string& message, ExitStatus status) {
    system.Print(true, message);
    return status;
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
    system.Print(false, ReadingsOutput(options, run.Sequence(), system.DecimalSeparator()));
    if (run.Sequence().DeviceLost()) {
        system.Print(true, DeviceLostMessage(portAndDevice));
    } else if (!allSent) {
        system.Print(true, UnsentMessage(portAndDevice));
    }
    return RunExitStatus(options, run.Sequence(), allSent);
}

}  // namespace

int RunCtlProgram(std::span<const std::string> args, CtlSystem& system, std::string_view version) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return Report(system, UsageMessage(error->reason), kUsageError);
    }
    if (const auto* request = std::get_if<InfoRequest>(&parsed)) {
        system.Print(false, *request == InfoRequest::Help
                                ? HelpText(kProgramName, system.PortForms())
                                : VersionText(kProgramName, version));
        return kDone;
    }
    return RunOnDevice(std::get<CtlOptions>(parsed), system);
}

}  // namespace quellmark::ctl
