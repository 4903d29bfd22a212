#include "qt_ctl_system.h"

#include <QLocale>
#include <cstdio>
#include <utility>

#include "open_line.h"
#include "run_outcome.h"

namespace quellmark::ctl {

QtCtlSystem::QtCtlSystem(PortLister present) : present_(std::move(present)) {
    timer_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: the time-out is a promise to wait that long.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { passed_(); });
}

// A port number leads where it leads in the window; any other text is the device's path or a
// network address.
std::string QtCtlSystem::DeviceOf(const std::variant<int, std::string>& port) {
    if (const int* number = std::get_if<int>(&port)) {
        return DevicePathForPort(*number, SystemEnvironment, present_).toStdString();
    }
    return std::get<std::string>(port);
}

OpenedLine QtCtlSystem::Open(const std::string& device) {
    return OpenLine(device,
                    [this](const std::string& remark) { Print(true, RemarkMessage(remark)); });
}

void QtCtlSystem::StartTimer(std::chrono::milliseconds after, std::function<void()> passed) {
    passed_ = std::move(passed);
    timer_.start(after);
}

std::string QtCtlSystem::DecimalSeparator() const {
    return QLocale::system().decimalPoint().toStdString();
}

bool QtCtlSystem::Print(bool toError, const std::string& text) {
    std::FILE* const stream = toError ? stderr : stdout;
    std::fwrite(text.data(), 1, text.size(), stream);
    // A full disk shows only once the buffer goes out.
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

}  // namespace quellmark::ctl
