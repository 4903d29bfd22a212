#include "win32_serial_port.h"

#include <chrono>
#include <utility>

#include "ansi_text.h"
#include "device_name.h"
#include "port_settings.h"

namespace quellmark {

namespace {

// How long a Close() lets commands already queued reach the device: at 9600 baud, some 25
// command lines. A device that takes longer is not waited for.
constexpr std::chrono::milliseconds kCloseSendLimit{500};

}  // namespace

Win32SerialPort::Win32SerialPort(LineReading reading)
    : reading_(std::move(reading)),
      notifier_([this] { OnNotice(); }, [this](std::wstring_view name) { OnPortRemoved(name); }) {}

Win32SerialPort::~Win32SerialPort() {
    Close();
}

bool Win32SerialPort::Open(const std::wstring& device) {
    if (!notifier_.CanNotify()) {
        openError_ = ERROR_INVALID_WINDOW_HANDLE;
        return false;
    }
    UniqueHandle port = OpenConfiguredPort(device);
    if (!port) {
        openError_ = GetLastError();
        return false;
    }
    port_ = std::make_shared<const UniqueHandle>(std::move(port));
    portName_ = PortNameOf(device);
    writer_ = std::make_unique<PortWriter>(
        port_, [this] { ReportLoss(); }, [this] { notifier_.Post(); });
    reader_ = std::make_unique<PortReader>(
        port_, reading_,
        [this](std::string_view bytes) {
            if (mailbox_.AddReceived(bytes)) {
                notifier_.Post();
            }
        },
        [this] { ReportLoss(); });
    return true;
}

void Win32SerialPort::Close() {
    CloseLine(true);
}

bool Win32SerialPort::IsOpen() const {
    return port_ != nullptr;
}

void Win32SerialPort::Write(const std::string& text) {
    if (!port_) {
        return;
    }
    if (!writer_->Enqueue(ToAnsiBytes(text))) {
        ReportLoss();
    }
}

std::size_t Win32SerialPort::WaitingCount() const {
    return mailbox_.Size();
}

std::string Win32SerialPort::ReadAll() {
    return mailbox_.TakeAll();
}

std::size_t Win32SerialPort::UnsentCount() const {
    return writer_ ? writer_->QueuedBytes() : 0;
}

void Win32SerialPort::WaitUntilSent() {
    Close();
}

void Win32SerialPort::CloseLine(bool sendQueued) {
    if (!port_) {
        return;
    }
    if (sendQueued) {
        writer_->Drain(kCloseSendLimit);
    }
    // Both threads are gone, or left behind reporting nothing, before the mailbox is emptied. The
    // handle closes with the last thread that holds it.
    reader_.reset();
    writer_.reset();
    port_.reset();
    mailbox_.Reset();
}

void Win32SerialPort::OnNotice() {
    // Posted before a Close().
    if (!port_) {
        return;
    }
    const bool lost = mailbox_.TakeNotice();
    // What arrived before the device went is still delivered, while the port is open.
    if (!lost || mailbox_.Size() > 0) {
        RaiseEvent();
    }
    // Unless the handler has closed the line meanwhile.
    if (lost && port_) {
        CloseLine(false);
        RaiseEvent();
    }
}

void Win32SerialPort::OnPortRemoved(std::wstring_view name) {
    if (port_ && CompareStringOrdinal(name.data(), int(name.size()), portName_.data(),
                                      int(portName_.size()), TRUE) == CSTR_EQUAL) {
        ReportLoss();
    }
}

void Win32SerialPort::ReportLoss() {
    if (mailbox_.MarkLost()) {
        notifier_.Post();
    }
}

}  // namespace quellmark
