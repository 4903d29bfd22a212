#include "form1.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <functional>
#include <ranges>
#include <utility>

#include "enter_presses_button.h"
#include "gain_slider.h"
#include "port_combo_box.h"
#include "program_icon.h"
#include "wrapping_button.h"

namespace quellmark {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Geometry in pixels at the reference font; the layout grows it with the window's font.
QRect ToQRect(const ElementGeometry& geometry) {
    return {geometry.x, geometry.y, geometry.width, geometry.height};
}

template <typename W>
QWidget* Captioned(const ElementDescription& element, QWidget* parent) {
    return new W(ToQString(element.caption), parent);
}

// Each kind of element as its own widget.
QWidget* CreateWidget(const ElementDescription& element, QWidget* parent,
                      const PortDescriber& describePorts) {
    using Create = QWidget* (*)(const ElementDescription&, QWidget*);
    static const std::map<ElementKind, Create> kCaptioned = {
        {ElementKind::Frame, Captioned<QGroupBox>},
        {ElementKind::Label, Captioned<QLabel>},
        {ElementKind::TextField, Captioned<QLineEdit>},
        {ElementKind::Button, Captioned<QPushButton>},
        {ElementKind::WrappingButton, Captioned<WrappingButton>}};
    if (element.kind == ElementKind::DropDownList) {
        return new PortComboBox(describePorts, parent);
    }
    if (element.kind == ElementKind::Slider) {
        return new GainSlider(element.range.minimum, element.range.maximum, parent);
    }
    return kCaptioned.at(element.kind)(element, parent);
}

}  // namespace

Form1::Form1(std::unique_ptr<SerialPort> port, PortDescriber describePorts, QWidget* parent)
    : QWidget(parent), layout_(*this, {kWindowWidth, kWindowHeight}) {
    setWindowTitle(ToQString(kWindowTitle));
    setWindowIcon(ProgramIcon());
    CreateWidgets(describePorts);
    layout_.Apply();
    NameForScreenReaders();
    SetTabOrder();
    controller_ = std::make_unique<GainController>(*this, std::move(port),
                                                   QLocale::system().decimalPoint().toStdString());
    controller_->OnStartup();
    // Connected only now, so that start-up itself reports nothing back to the controller.
    ConnectWidgets();
}

Form1::~Form1() = default;

void Form1::CreateWidgets(const PortDescriber& describePorts) {
    for (const ElementDescription& element : WindowElements()) {
        QWidget* parent = element.parent.empty() ? this : At(element.parent).widget;
        QWidget* widget = CreateWidget(element, parent, describePorts);
        widget->setObjectName(ToQString(element.name));
        layout_.Place(*widget, ToQRect(element.geometry));
        widgets_[element.name] = {widget, element.kind == ElementKind::Frame ? "title" : "text"};
    }
    combo1_ = static_cast<PortComboBox*>(At("Combo1").widget);
}

// A label is the named field's buddy; a frame gives its title to the control inside it.
void Form1::NameForScreenReaders() {
    for (const ElementDescription& element : WindowElements()) {
        if (element.names.empty()) {
            continue;
        }
        QWidget* named = At(element.names).widget;
        if (auto* label = qobject_cast<QLabel*>(At(element.name).widget)) {
            label->setBuddy(named);
        } else {
            named->setAccessibleName(ToQString(element.caption));
        }
    }
}

void Form1::ConnectWidgets() {
    GainController* controller = controller_.get();
    const std::pair<Element, std::function<void()>> buttons[] = {
        {Element::Command1, [this] { ToggleConnection(); }},
        {Element::Command2, [controller] { controller->OnReadValues(); }},
        {Element::Command3, [controller] { controller->OnSaveSettings(); }},
    };
    for (const auto& [element, action] : buttons) {
        auto* button = static_cast<QPushButton*>(At(element).widget);
        connect(button, &QPushButton::clicked, this, action);
        PressOnEnter(*button);
    }
    connect(At(Slider::Slider1), &GainSlider::valueChanged, this,
            [controller] { controller->OnTxSliderChanged(); });
    connect(At(Slider::Slider2), &GainSlider::valueChanged, this,
            [controller] { controller->OnRxSliderChanged(); });
}

// Connecting to a network port takes up to seconds, while the window stays painted and its events
// run but for the user's input. The cursor shows the wait; a close meanwhile (a logout's) waits
// for its end, so that the window does not vanish under a pending connect and its outcome shows.
void Form1::ToggleConnection() {
    ShowBusy(true);
    toggling_ = true;
    controller_->OnConnectToggle();
    toggling_ = false;
    ShowBusy(false);
    if (std::exchange(closeDeferred_, false)) {
        close();
    }
}

void Form1::ShowBusy(bool busy) {
    if (busy == std::exchange(busy_, busy)) {
        return;
    }
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (toggling_) {
        closeDeferred_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Form1::SetTabOrder() {
    std::map<int, QWidget*> byPosition;
    for (const ElementDescription& element : WindowElements()) {
        if (element.tabPosition > 0) {
            byPosition[element.tabPosition] = At(element.name).widget;
        }
    }
    QWidget* previous = nullptr;
    for (QWidget* widget : std::views::values(byPosition)) {
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

GainSlider* Form1::At(Slider slider) const {
    return static_cast<GainSlider*>(At(ElementName(slider)).widget);
}

void Form1::SetText(Element element, const std::string& text) {
    At(element).widget->setProperty(At(element).textProperty, ToQString(text));
    DescribeSliders();
}

std::string Form1::GetText(Element element) const {
    return Text(element).toStdString();
}

QString Form1::Text(Element element) const {
    return At(element).widget->property(At(element).textProperty).toString();
}

// Screen readers hear what each gain panel shows when they reach its slider.
void Form1::DescribeSliders() {
    At(Slider::Slider1)->DescribePanel(Text(Element::Label1), Text(Element::Label2));
    At(Slider::Slider2)->DescribePanel(Text(Element::Label7), Text(Element::Label8));
}

// Focus inside a part that goes grey (after a disconnect or a lost device) returns to the connect
// button rather than wandering along the tab order to whatever is still enabled.
void Form1::SetEnabled(Element element, bool enabled) {
    QWidget* widget = At(element).widget;
    QWidget* focus = focusWidget();
    const bool hadFocus =
        !enabled && focus != nullptr && (focus == widget || widget->isAncestorOf(focus));
    widget->setEnabled(enabled);
    if (hadFocus) {
        At(Element::Command1).widget->setFocus();
    }
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layout_.Apply();
    }
    QWidget::changeEvent(event);
}

int Form1::GetPosition(Slider slider) const {
    return At(slider)->value();
}

void Form1::SetPosition(Slider slider, int position) {
    At(slider)->SetPositionSilently(position);
}

void Form1::AddListEntry(const std::string& text) {
    combo1_->addItem(ToQString(text));
}

int Form1::GetListIndex() const {
    return combo1_->currentIndex();
}

void Form1::SetListIndex(int index) {
    combo1_->setCurrentIndex(index);
}

void Form1::ShowError(const std::string& text) {
    // The message waits for the user, not the program.
    ShowBusy(false);
    QMessageBox box(QMessageBox::Critical, windowTitle(), ToQString(text), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace quellmark
