#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "font_scaled_layout.h"
#include "gain_controller.h"
#include "gain_view.h"
#include "port_list.h"
#include "serial_port.h"
#include "window_table.h"

namespace quellmark {

class GainSlider;
class PortComboBox;

// The program's one window, built from the element table. It shows what the controller tells it
// and hands the user's actions to the controller; the logic lives in GainController. Whoever
// starts it hands in the port and what the port list's entries lead to.
class Form1 : public QWidget, public GainView {
    Q_OBJECT

public:
    Form1(std::unique_ptr<SerialPort> port, PortDescriber describePorts, QWidget* parent = nullptr);
    ~Form1() override;

    void SetText(Element element, const std::string& text) override;
    std::string GetText(Element element) const override;
    void SetEnabled(Element element, bool enabled) override;
    int GetPosition(Slider slider) const override;
    void SetPosition(Slider slider, int position) override;
    void AddListEntry(const std::string& text) override;
    int GetListIndex() const override;
    void SetListIndex(int index) override;
    void ShowError(const std::string& text) override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The widget built for an element of the table, and the property that holds its text.
    struct ElementWidget {
        QWidget* widget;
        const char* textProperty;
    };

    void CreateWidgets(const PortDescriber& describePorts);
    void NameForScreenReaders();
    void ConnectWidgets();
    void SetTabOrder();
    void ToggleConnection();
    void ShowBusy(bool busy);
    void DescribeSliders();
    QString Text(Element element) const;
    const ElementWidget& At(std::string_view name) const { return widgets_.at(name); }
    const ElementWidget& At(Element element) const { return At(ElementName(element)); }
    GainSlider* At(Slider slider) const;

    FontScaledLayout layout_;
    std::map<std::string_view, ElementWidget> widgets_;
    PortComboBox* combo1_ = nullptr;
    bool toggling_ = false;
    bool closeDeferred_ = false;
    bool busy_ = false;
    // Declared last so that it goes first: closing the port may still reach the widgets.
    std::unique_ptr<GainController> controller_;
};

}  // namespace quellmark
