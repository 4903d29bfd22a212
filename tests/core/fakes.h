#pragma once

#include <map>
#include <string>
#include <vector>

#include "element_names.h"
#include "fake_serial_port.h"
#include "gain_view.h"

namespace quellmark::testing {

// The view and the port write into one log, so tests can check the order of their calls.
using CallLog = std::vector<std::string>;

class FakeView : public GainView {
public:
    explicit FakeView(CallLog& log) : log_(log) {}

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

    std::map<Element, std::string> texts = {{Element::Text1, "A"}};
    std::map<Element, bool> enabled;
    std::map<Slider, int> positions = {{Slider::Slider1, 0}, {Slider::Slider2, 0}};
    std::vector<std::string> list;
    int listIndex = -1;
    std::vector<std::string> errors;

private:
    CallLog& log_;
};

}  // namespace quellmark::testing
