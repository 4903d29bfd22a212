#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "gain_view.h"
#include "line_buffer.h"
#include "serial_port.h"

namespace quellmark {

// The logic behind the window: start-up, the user's actions, and the replies from the modem.
// Reaches the window only through GainView.
class GainController {
public:
    GainController(GainView& view, std::unique_ptr<SerialPort> port, std::string decimalSeparator);
    GainController(const GainController&) = delete;
    GainController& operator=(const GainController&) = delete;
    ~GainController();

    void OnStartup();

    void OnConnectToggle();
    void OnReadValues();
    void OnSaveSettings();
    void OnTxSliderChanged();
    void OnRxSliderChanged();

    void OnSerialEvent();
    void FeedReceived(std::string_view text);
    void AddReceivedChar(char c);
    void HandleReplyLine(std::string_view line);

    void RefreshTxDisplay();
    void RefreshRxDisplay();
    void ApplyTxDeviceValue(int value);
    void ApplyRxDeviceValue(int value);
    void SetRxPosition(int position);

    std::size_t LineBufferSize() const { return lineBuffer_.Size(); }

private:
    void Send(const std::string& command);
    void SetConnectionElementsEnabled(bool enabled);
    void ShowDisconnected();

    GainView& view_;
    std::unique_ptr<SerialPort> port_;
    std::string decimalSeparator_;
    LineBuffer lineBuffer_;
};

}  // namespace quellmark
