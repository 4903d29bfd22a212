#pragma once

#include <map>

#include "fake_serial_port.h"
#include "gain_controller.h"
#include "window_table.h"

namespace quellmark::testing {

using CallLog = std::vector<std::string>;

// Logs the calls whose order matters; the port logs into the same list.
class FakeView : public GainView {
public:
    void SetText(Element element, const std::string& text) override {
        log.push_back("SetText " + std::string(ElementName(element)) + " " + text);
        texts[element] = text;
    }
    std::string GetText(Element element) const override { return texts.at(element); }
    void SetEnabled(Element element, bool on) override {
        log.push_back("SetEnabled " + std::string(ElementName(element)) + (on ? " 1" : " 0"));
    }
    int GetPosition(Slider slider) const override { return positions.at(slider); }
    void SetPosition(Slider slider, int position) override { positions[slider] = position; }
    void AddListEntry(const std::string& text) override { log.push_back(text); }
    int GetListIndex() const override { return listIndex; }
    void SetListIndex(int index) override { listIndex = index; }
    void ShowError(const std::string& text) override { log.push_back("ShowError " + text); }

    std::map<Element, std::string> texts = {{Element::Text1, "A"}};
    std::map<Slider, int> positions = {{Slider::Slider1, 0}, {Slider::Slider2, 0}};
    int listIndex = -1;
    CallLog log;
};

// A controller after start-up on a fake window and a fake port; the log holds the start-up calls.
struct Rig {
    Rig() : controller(view, std::unique_ptr<FakeSerialPort>(port), ".") { controller.OnStartup(); }
    // The calls the toggle makes; the log is left empty.
    CallLog Toggle() {
        view.log.clear();
        controller.OnConnectToggle();
        return std::exchange(view.log, {});
    }

    FakeView view;
    FakeSerialPort* port = new FakeSerialPort(view.log);  // owned by the controller
    GainController controller;
};

}  // namespace quellmark::testing
