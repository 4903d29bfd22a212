#include "form1.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <utility>

#include "enter_presses_button.h"
#include "gain_scale.h"
#include "gain_slider.h"
#include "port_combo_box.h"
#include "program_icon.h"
#include "wrapping_button.h"

namespace quellmark {

namespace {

// Geometry in pixels at the reference font; the layout grows it with the window's font.
template <typename W, typename... Args>
W* Place(FontScaledLayout& layout, QWidget* parent, const char* name, QRect geometry,
         Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    layout.Place(*widget, geometry);
    return widget;
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

Form1::Form1(std::unique_ptr<SerialPort> port, PortDescriber describePorts, QWidget* parent)
    : QWidget(parent), layout_(*this, {514, 491}) {
    setWindowTitle(QStringLiteral("Quellmark"));
    setWindowIcon(ProgramIcon());
    CreateWidgets(std::move(describePorts));
    layout_.Apply();
    SetTabOrder();
    controller_ = std::make_unique<GainController>(*this, std::move(port),
                                                   QLocale::system().decimalPoint().toStdString());
    controller_->OnStartup();
    // Connected only now, so that start-up itself reports nothing back to the controller.
    ConnectWidgets();
}

Form1::~Form1() = default;

void Form1::CreateWidgets(PortDescriber describePorts) {
    auto* frame1 = Place<QGroupBox>(layout_, this, "Frame1", {8, 8, 129, 105},
                                    QStringLiteral("Schnittstelle"));
    combo1_ =
        Place<PortComboBox>(layout_, frame1, "Combo1", {8, 16, 113, 21}, std::move(describePorts));
    auto* label9 =
        Place<QLabel>(layout_, frame1, "Label9", {8, 40, 81, 19}, QStringLiteral("Kanal Nr."));
    auto* text1 = Place<QLineEdit>(layout_, frame1, "Text1", {88, 40, 33, 19}, QStringLiteral("A"));
    label9->setBuddy(text1);
    auto* command1 = Place<QPushButton>(layout_, frame1, "Command1", {8, 64, 113, 33});
    auto* command2 = Place<WrappingButton>(layout_, this, "Command2", {16, 120, 113, 33},
                                           QStringLiteral("Aktuelle Werte auslesen"));
    auto* command3 = Place<WrappingButton>(layout_, this, "Command3", {16, 160, 113, 33},
                                           QStringLiteral("Einstellungen Speichern"));

    auto* frame2 =
        Place<QGroupBox>(layout_, this, "Frame2", {144, 8, 177, 473}, QStringLiteral("TX Gain"));
    slider1_ = Place<GainSlider>(layout_, frame2, "Slider1", {8, 16, 41, 449},
                                 GainScale::kTxPositionMin, GainScale::kTxPositionMax);
    slider1_->setAccessibleName(frame2->title());
    Place<QLabel>(layout_, frame2, "Label3", {48, 424, 49, 17}, QStringLiteral("Gain : "));
    auto* label1 = Place<QLabel>(layout_, frame2, "Label1", {96, 424, 73, 17});
    Place<QLabel>(layout_, frame2, "Label4", {48, 440, 49, 17}, QStringLiteral("Value : "));
    auto* label2 = Place<QLabel>(layout_, frame2, "Label2", {96, 440, 73, 17});

    auto* frame3 =
        Place<QGroupBox>(layout_, this, "Frame3", {328, 8, 177, 473}, QStringLiteral("RX Gain"));
    slider2_ = Place<GainSlider>(layout_, frame3, "Slider2", {8, 16, 41, 449},
                                 GainScale::kRxPositionMin, GainScale::kRxPositionMax);
    slider2_->setAccessibleName(frame3->title());
    Place<QLabel>(layout_, frame3, "Label6", {48, 424, 49, 17}, QStringLiteral("Gain : "));
    auto* label7 = Place<QLabel>(layout_, frame3, "Label7", {96, 424, 73, 17});
    Place<QLabel>(layout_, frame3, "Label5", {48, 440, 49, 17}, QStringLiteral("Value : "));
    auto* label8 = Place<QLabel>(layout_, frame3, "Label8", {96, 440, 73, 17});

    elements_ = {
        {Element::Text1, {text1, "text"}},       {Element::Command1, {command1, "text"}},
        {Element::Command2, {command2, "text"}}, {Element::Command3, {command3, "text"}},
        {Element::Frame2, {frame2, "title"}},    {Element::Frame3, {frame3, "title"}},
        {Element::Label1, {label1, "text"}},     {Element::Label2, {label2, "text"}},
        {Element::Label7, {label7, "text"}},     {Element::Label8, {label8, "text"}},
    };
}

void Form1::ConnectWidgets() {
    GainController* controller = controller_.get();
    const std::pair<Element, void (GainController::*)()> buttons[] = {
        {Element::Command1, &GainController::OnConnectToggle},
        {Element::Command2, &GainController::OnReadValues},
        {Element::Command3, &GainController::OnSaveSettings},
    };
    for (const auto& [element, action] : buttons) {
        auto* button = static_cast<QPushButton*>(At(element).widget);
        connect(button, &QPushButton::clicked, this,
                [controller, action = action] { (controller->*action)(); });
        PressOnEnter(*button);
    }
    connect(slider1_, &GainSlider::valueChanged, this,
            [controller] { controller->OnTxSliderChanged(); });
    connect(slider2_, &GainSlider::valueChanged, this,
            [controller] { controller->OnRxSliderChanged(); });
}

void Form1::SetTabOrder() {
    QWidget* const order[] = {combo1_,
                              At(Element::Command1).widget,
                              slider1_,
                              slider2_,
                              At(Element::Text1).widget,
                              At(Element::Command2).widget,
                              At(Element::Command3).widget};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

GainSlider* Form1::At(Slider slider) const {
    return slider == Slider::Slider1 ? slider1_ : slider2_;
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
    slider1_->DescribePanel(Text(Element::Label1), Text(Element::Label2));
    slider2_->DescribePanel(Text(Element::Label7), Text(Element::Label8));
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
    QMessageBox box(QMessageBox::Critical, windowTitle(), ToQString(text), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace quellmark
