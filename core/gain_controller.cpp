#include "gain_controller.h"

#include "command_line.h"
#include "gain_scale.h"
#include "port_list.h"
#include "reply_line.h"

namespace quellmark {

namespace {

constexpr const char* kConnectCaption = "Verbinden";
constexpr const char* kDisconnectCaption = "Trennen";
constexpr const char* kOpenFailedMessage = "Fehler beim Öffnen des Comports!";

}  // namespace

GainController::GainController(GainView& view, std::unique_ptr<SerialPort> port,
                               std::string decimalSeparator)
    : view_(view), port_(std::move(port)), decimalSeparator_(std::move(decimalSeparator)) {
    port_->SetEventHandler([this] { OnSerialEvent(); });
}

GainController::~GainController() {
    port_->SetEventHandler({});
}

void GainController::OnStartup() {
    RefreshTxDisplay();
    RefreshRxDisplay();
    for (int n = 1; n <= kPortCount; ++n) {
        view_.AddListEntry(PortEntryText(n));
    }
    view_.SetListIndex(0);
    view_.SetText(Element::Command1, kConnectCaption);
    lineBuffer_.Clear();
    SetConnectionElementsEnabled(false);
}

void GainController::OnConnectToggle() {
    if (port_->IsOpen()) {
        view_.SetText(Element::Command1, kConnectCaption);
        port_->Close();
        SetConnectionElementsEnabled(false);
        return;
    }
    view_.SetText(Element::Command1, kDisconnectCaption);
    port_->SetPortNumber(view_.GetListIndex() + 1);
    if (port_->Open()) {
        // A partial line left from an earlier connection must not corrupt the first reply.
        lineBuffer_.Clear();
        SetConnectionElementsEnabled(true);
        return;
    }
    view_.ShowError(kOpenFailedMessage);
    view_.SetText(Element::Command1, kConnectCaption);
}

void GainController::OnReadValues() {
    Send(BuildQueryCommand(view_.GetText(Element::Text1)));
}

void GainController::OnSaveSettings() {
    Send(BuildStoreCommand(view_.GetText(Element::Text1)));
}

void GainController::OnTxSliderChanged() {
    RefreshTxDisplay();
    Send(BuildSetTxCommand(view_.GetText(Element::Text1), view_.GetText(Element::Label2)));
}

void GainController::OnRxSliderChanged() {
    RefreshRxDisplay();
    Send(BuildSetRxCommand(view_.GetText(Element::Text1), view_.GetText(Element::Label8)));
}

void GainController::OnSerialEvent() {
    if (!port_->IsOpen()) {
        ShowDisconnected();
        return;
    }
    if (port_->WaitingCount() > 0) {
        FeedReceived(port_->ReadAll());
    }
}

void GainController::FeedReceived(std::string_view text) {
    for (const char c : text) {
        AddReceivedChar(c);
    }
}

void GainController::AddReceivedChar(char c) {
    if (lineBuffer_.Add(c)) {
        HandleReplyLine(lineBuffer_.Line());
    }
}

void GainController::HandleReplyLine(std::string_view line) {
    const ReplyValues values = ParseReplyLine(line);
    if (values.rx) {
        ApplyRxDeviceValue(*values.rx);
    }
    if (values.tx) {
        ApplyTxDeviceValue(*values.tx);
    }
}

void GainController::RefreshTxDisplay() {
    const int position = view_.GetPosition(Slider::Slider1);
    view_.SetText(Element::Label1, GainScale::TxGainText(position, decimalSeparator_));
    view_.SetText(Element::Label2, std::to_string(GainScale::TxDeviceValue(position)));
}

void GainController::RefreshRxDisplay() {
    const int position = view_.GetPosition(Slider::Slider2);
    view_.SetText(Element::Label7, GainScale::RxGainText(position));
    // An odd position has no device value of its own: the label keeps the last even one.
    if (const auto value = GainScale::RxDeviceValue(position)) {
        view_.SetText(Element::Label8, std::to_string(*value));
    }
}

void GainController::ApplyTxDeviceValue(int value) {
    if (const auto position = GainScale::TxPositionFromDevice(value)) {
        view_.SetPosition(Slider::Slider1, *position);
        RefreshTxDisplay();
    }
}

void GainController::ApplyRxDeviceValue(int value) {
    if (const auto position = GainScale::RxPositionFromDevice(value)) {
        SetRxPosition(*position);
    }
}

void GainController::SetRxPosition(int position) {
    view_.SetPosition(Slider::Slider2, position);
    RefreshRxDisplay();
}

void GainController::Send(const std::string& command) {
    if (port_->IsOpen()) {
        port_->Write(command);
    }
}

void GainController::SetConnectionElementsEnabled(bool enabled) {
    for (const Element element :
         {Element::Command2, Element::Command3, Element::Frame2, Element::Frame3}) {
        view_.SetEnabled(element, enabled);
    }
}

// The device went away under an open port: the port has closed itself, the window follows.
void GainController::ShowDisconnected() {
    view_.SetText(Element::Command1, kConnectCaption);
    SetConnectionElementsEnabled(false);
}

}  // namespace quellmark
