#include "numbered_port.h"

#include <utility>

namespace quellmark {

NumberedPort::NumberedPort(DeviceOfPort deviceOf, LineOpener openLine)
    : deviceOf_(std::move(deviceOf)), openLine_(std::move(openLine)) {}

bool NumberedPort::Open() {
    line_.reset();
    const std::string device = deviceOf_(portNumber_);
    if (device.empty()) {
        return false;
    }
    OpenedLine opened = openLine_(device);
    auto* line = std::get_if<std::unique_ptr<SerialLine>>(&opened);
    if (line == nullptr) {
        return false;
    }
    line_ = std::move(*line);
    line_->SetEventHandler([this] { RaiseEvent(); });
    return true;
}

void NumberedPort::Close() {
    if (line_) {
        line_->Close();
    }
}

bool NumberedPort::IsOpen() const {
    return line_ && line_->IsOpen();
}

void NumberedPort::Write(const std::string& text) {
    if (line_) {
        line_->Write(text);
    }
}

std::size_t NumberedPort::WaitingCount() const {
    return line_ ? line_->WaitingCount() : 0;
}

std::string NumberedPort::ReadAll() {
    return line_ ? line_->ReadAll() : std::string();
}

std::size_t NumberedPort::UnsentCount() const {
    return line_ ? line_->UnsentCount() : 0;
}

void NumberedPort::WaitUntilSent() {
    if (line_) {
        line_->WaitUntilSent();
    }
}

}  // namespace quellmark
