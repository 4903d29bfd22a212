#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "ctl_options.h"
#include "device_path.h"
#include "help_text.h"
#include "open_failure.h"
#include "qt_gain_run.h"
#include "qt_serial_port.h"
#include "run_outcome.h"

using namespace quellmark;
using namespace quellmark::ctl;

namespace {

int Print(std::FILE* stream, const std::string& text, int status) {
    std::fputs(text.c_str(), stream);
    return status;
}

// A port number leads where it leads in the window; any other text is the device's path.
QString DeviceOf(const std::variant<int, std::string>& port) {
    if (const int* number = std::get_if<int>(&port)) {
        return DevicePathForPort(*number);
    }
    return QString::fromStdString(std::get<std::string>(port));
}

int RunOnDevice(const CtlOptions& options) {
    const QString device = DeviceOf(options.port);
    const std::string portAndDevice = PortAndDevice(options.port, device.toStdString());
    if (device.isEmpty()) {
        return Print(stderr, OpenFailedMessage(portAndDevice, "kein Gerät"), kOpenFailed);
    }
    QtSerialPort port;
    if (!port.OpenDevice(device)) {
        return Print(stderr, OpenFailedMessage(portAndDevice, OpenFailureReason(port, device)),
                     kOpenFailed);
    }
    QtGainRun run(port, options);
    const bool allSent = run.Run();
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    std::fputs(ReadingsOutput(options, run.Sequence(), separator).c_str(), stdout);
    if (run.Sequence().DeviceLost()) {
        std::fputs(DeviceLostMessage(portAndDevice).c_str(), stderr);
    } else if (!allSent) {
        std::fputs(UnsentMessage(portAndDevice).c_str(), stderr);
    }
    return RunExitStatus(options, run.Sequence(), allSent);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) {
        args.push_back(arg.toStdString());
    }
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return Print(stderr, UsageMessage(error->reason), kUsageError);
    }
    if (const auto* request = std::get_if<InfoRequest>(&parsed)) {
        const std::string text = *request == InfoRequest::Help
                                     ? HelpText(kProgramName, "/dev/ttyUSB0")
                                     : VersionText(kProgramName, QUELLMARK_VERSION);
        return Print(stdout, text, kDone);
    }
    return RunOnDevice(std::get<CtlOptions>(parsed));
}
