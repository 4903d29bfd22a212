#pragma once

#include <string>

namespace quellmark {

enum class Element {
    Text1,
    Command1,
    Command2,
    Command3,
    Frame2,
    Frame3,
    Label1,
    Label2,
    Label7,
    Label8
};
enum class Slider { Slider1, Slider2 };

// What the controller does to the window. Texts are UTF-8.
class GainView {
public:
    virtual ~GainView() = default;

    virtual void SetText(Element element, const std::string& text) = 0;
    virtual std::string GetText(Element element) const = 0;
    virtual void SetEnabled(Element element, bool enabled) = 0;
    virtual int GetPosition(Slider slider) const = 0;
    // Moves the slider without reporting a change back to the controller.
    virtual void SetPosition(Slider slider, int position) = 0;
    virtual void AddListEntry(const std::string& text) = 0;
    virtual int GetListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;
    // Returns once the user has dismissed the message.
    virtual void ShowError(const std::string& text) = 0;
};

}  // namespace quellmark
