#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gain_view.h"
#include "serial_port.h"

namespace quellmark::testing {

// Both fakes write into one log, so tests can check the order of view and port calls.
using CallLog = std::vector<std::string>;

inline std::string NameOf(Element element) {
    static const std::map<Element, std::string> names = {
        {Element::Text1, "Text1"},       {Element::Command1, "Command1"},
        {Element::Command2, "Command2"}, {Element::Command3, "Command3"},
        {Element::Frame2, "Frame2"},     {Element::Frame3, "Frame3"},
        {Element::Label1, "Label1"},     {Element::Label2, "Label2"},
        {Element::Label7, "Label7"},     {Element::Label8, "Label8"}};
    return names.at(element);
}

class FakeView : public GainView {
public:
    explicit FakeView(CallLog& log) : log_(log) { texts[Element::Text1] = "A"; }

    void SetText(Element element, const std::string& text) override {
        log_.push_back("SetText " + NameOf(element) + " " + text);
        texts[element] = text;
    }
    std::string GetText(Element element) const override { return texts.at(element); }
    void SetEnabled(Element element, bool on) override {
        log_.push_back("SetEnabled " + NameOf(element) + (on ? " 1" : " 0"));
        enabled[element] = on;
    }
    int GetPosition(Slider slider) const override { return positions.at(slider); }
    void SetPosition(Slider slider, int position) override { positions[slider] = position; }
    void AddListEntry(const std::string& text) override { list.push_back(text); }
    int GetListIndex() const override { return listIndex; }
    void SetListIndex(int index) override { listIndex = index; }
    void ShowError(const std::string& text) override {
        log_.push_back("ShowError " + text);
        errors.push_back(text);
    }

    std::map<Element, std::string> texts;
    std::map<Element, bool> enabled;
    std::map<Slider, int> positions = {{Slider::Slider1, 0}, {Slider::Slider2, 0}};
    std::vector<std::string> list;
    int listIndex = -1;
    std::vector<std::string> errors;

private:
    CallLog& log_;
};

class FakePort : public SerialPort {
public:
    explicit FakePort(CallLog& log) : log_(log) {}

    void SetEventHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void SetPortNumber(int number) override {
        log_.push_back("SetPortNumber " + std::to_string(number));
        portNumber = number;
    }
    bool Open() override {
        log_.push_back("Open");
        open = openSucceeds;
        return open;
    }
    void Close() override {
        log_.push_back("Close");
        open = false;
    }
    bool IsOpen() const override { return open; }
    void Write(const std::string& text) override { writes.push_back(text); }
    std::size_t WaitingCount() const override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }

    // What the device sends arrives and the port notifies.
    void Receive(const std::string& bytes) {
        incoming += bytes;
        handler_();
    }
    // The device goes away: the port closes itself and notifies.
    void Lose() {
        open = false;
        handler_();
    }
    bool HasHandler() const { return static_cast<bool>(handler_); }

    bool openSucceeds = true;
    bool open = false;
    int portNumber = 0;
    std::vector<std::string> writes;
    std::string incoming;

private:
    CallLog& log_;
    std::function<void()> handler_;
};

}  // namespace quellmark::testing
