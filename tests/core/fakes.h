#pragma once

#include <map>

#include "fake_serial_port.h"
#include "gain_controller.h"

namespace quellmark::testing {

// Holds what the controller shows.
class FakeView : public GainView {
public:
    void SetText(Element element, const std::string& text) override { texts[element] = text; }
    std::string GetText(Element element) const override { return texts.at(element); }
    void SetEnabled(Element, bool) override {}
    int GetPosition(Slider slider) const override { return positions.at(slider); }
    void SetPosition(Slider slider, int position) override { positions[slider] = position; }
    void AddListEntry(const std::string&) override {}
    int GetListIndex() const override { return 0; }
    void SetListIndex(int) override {}
    void ShowError(const std::string&) override {}

    std::map<Element, std::string> texts = {{Element::Text1, "A"}};
    std::map<Slider, int> positions = {{Slider::Slider1, 0}, {Slider::Slider2, 0}};
};

// A controller after start-up, connected, on a fake window and a fake port.
struct Rig {
    Rig() : controller(view, std::unique_ptr<FakeSerialPort>(port), ".") {
        controller.OnStartup();
        controller.OnConnectToggle();
    }

    FakeView view;
    FakeSerialPort* port = new FakeSerialPort;  // owned by the controller
    GainController controller;
};

}  // namespace quellmark::testing
