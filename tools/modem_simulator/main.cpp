#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>

#include "device_link.h"
#include "options.h"
#include "pty_device.h"
#include "responder.h"
#include "serve.h"
#include "stop_signals.h"
#include "wire_log.h"

using namespace quellmark::modem_sim;

namespace {

int Fail(const std::string& error) {
    std::fprintf(stderr, "quellmark-modem-sim: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::variant<Options, std::string> parsed = ParseOptions(argc, argv);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "quellmark-modem-sim: %s\n\n%s", error->c_str(), UsageText().data());
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::fputs(UsageText().data(), stdout);
        return 0;
    }

    BlockStopSignals();
    std::string error;
    WireLog log;
    if (!log.Open(options.log_path, error)) {
        return Fail(error);
    }
    std::optional<PtyDevice> pty = PtyDevice::Open(error);
    if (!pty) {
        return Fail(error);
    }
    const std::optional<DeviceLink> link =
        DeviceLink::Create(options.link_path, pty->slave_path(), error);
    if (!link) {
        return Fail(error);
    }

    // Callers wait for this line: it comes only once the device (and its link) can be opened.
    std::printf("%s\n", pty->slave_path().c_str());
    std::fflush(stdout);

    Responder responder(options, options.seed.value_or(std::random_device{}()));
    return Serve(*pty, responder, log, options);
}
