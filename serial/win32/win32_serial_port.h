#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "notifying_line.h"
#include "port_mailbox.h"
#include "port_reader.h"
#include "port_writer.h"
#include "unique_handle.h"
#include "window_thread_notifier.h"

namespace quellmark {

// A SerialLine over a Win32 communications device with the line settings of kLineSettings. A
// reader and a writer thread do the blocking; notifications arrive through the message queue of
// the thread that created the port, which must run a message loop, and everything else is called
// on that thread too.
//
// Writes wait in a queue of at most PortWriter::kQueueLimitBytes. A device that lets it fill up
// has stopped taking bytes: the port then treats it as lost, closes and notifies, so that the
// window shows the line as gone rather than dropping commands unseen. The system's broadcast that
// the open port's device was removed counts as its loss too.
//
// Close() returns in bounded time whatever the driver does: queued commands get half a second to
// go out, and a reader or writer whose cancelled I/O has not ended within IoThread::kStopLimit is
// left to finish alone.
class Win32SerialPort : public NotifyingLine<SerialLine> {
public:
    explicit Win32SerialPort(LineReading reading = {});
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    // Opens `device`; once only. OpenError() then says why not: ERROR_INVALID_WINDOW_HANDLE when
    // the port's notices have no window to reach this thread by.
    bool Open(const std::wstring& device);
    DWORD OpenError() const { return openError_; }
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override;
    std::string ReadAll() override;
    // Written bytes not yet handed to the driver. When the last of them has been, the event
    // handler runs.
    std::size_t UnsentCount() const override;
    // Closes the port once what was written has reached the driver, which sends what it holds
    // before a close completes. Only for a program about to end. FlushFileBuffers is not used, as
    // Wine carries it out by discarding what the line has not sent yet.
    void WaitUntilSent() override;

private:
    void CloseLine(bool sendQueued);
    void OnNotice();
    void OnPortRemoved(std::wstring_view name);
    // Called on any thread; the loss is acted on on the window thread.
    void ReportLoss();

    LineReading reading_;
    DWORD openError_ = ERROR_SUCCESS;
    // The open port as device broadcasts name it.
    std::wstring portName_;
    PortMailbox mailbox_;
    WindowThreadNotifier notifier_;
    // Shared with the reader and writer threads, which may outlive a Close().
    std::shared_ptr<const UniqueHandle> port_;
    std::unique_ptr<PortWriter> writer_;
    std::unique_ptr<PortReader> reader_;
};

}  // namespace quellmark
