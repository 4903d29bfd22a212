#include "window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QTest>
#include <iostream>
#include <stdexcept>

#include "qt_serial_port.h"

namespace quellmark::e2e {

namespace {

constexpr int kMessageBoxCheckMs = 20;
const char* const kConnectionElements[] = {"Command2", "Command3", "Frame2", "Frame3"};

}  // namespace

WindowTest::WindowTest() {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    qputenv("QUELLMARK_COM1", dir_.filePath(QStringLiteral("modem")).toLocal8Bit());
    form_ = std::make_unique<Form1>(std::make_unique<QtSerialPort>());
    form_->show();
    // An error box waits for the user; dismissing it keeps the test going and makes it count.
    QObject::connect(&messageBoxWatch_, &QTimer::timeout, [this] { DismissMessageBoxes(); });
    messageBoxWatch_.start(kMessageBoxCheckMs);
}

WindowTest::~WindowTest() {
    qunsetenv("QUELLMARK_COM1");
}

void WindowTest::TearDown() {
    EXPECT_EQ(messageBoxes_, std::vector<QString>{}) << "message boxes shown";
    if (HasFailure() && simulator_) {
        std::cout << "Simulator trace:\n" << simulator_->Trace();
    }
}

void WindowTest::StartSimulator(std::vector<std::string> options) {
    simulator_.reset();
    const std::string files =
        dir_.filePath(QStringLiteral("simulator-%1").arg(++simulatorsStarted_)).toStdString();
    options.insert(options.end(), {"--link", dir_.filePath(QStringLiteral("modem")).toStdString()});
    simulator_ = std::make_unique<RunningSimulator>(options, files, kTimeoutMs);
    if (simulator_->Device().empty()) {
        throw std::runtime_error("the simulator did not start:\n" + simulator_->Trace());
    }
}

void WindowTest::Click(const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
}

void WindowTest::Press(const char* slider, Qt::Key key) {
    QTest::keyClick(Find<QSlider>(slider), key);
}

void WindowTest::SetChannel(const QString& channel) {
    auto* field = Find<QLineEdit>("Text1");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, channel);
    ASSERT_EQ(field->text(), channel);
}

QString WindowTest::Text(const char* name) const {
    const QWidget* widget = Find(name);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return Find<QLineEdit>(name)->text();
}

int WindowTest::Position(const char* slider) const {
    return Find<QSlider>(slider)->value();
}

bool WindowTest::Enabled(const char* name) const {
    return Find(name)->isEnabled();
}

::testing::AssertionResult WindowTest::ShowsConnected(bool connected) const {
    const QString caption = connected ? "Trennen" : "Verbinden";
    if (Text("Command1") != caption) {
        return ::testing::AssertionFailure() << "Command1 reads " << Text("Command1").toStdString();
    }
    for (const char* name : kConnectionElements) {
        if (Enabled(name) != connected) {
            return ::testing::AssertionFailure() << name << (connected ? " disabled" : " enabled")
                                                 << " under " << caption.toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}

bool WindowTest::WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kTimeoutMs);
}

void WindowTest::ReadValues(const QString& channel, int txPosition, int rxPosition) {
    if (Text("Text1") != channel) {
        SetChannel(channel);
    }
    const auto arrived = [&] {
        return Position("Slider1") == txPosition && Position("Slider2") == rxPosition;
    };
    ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
    Click("Command2");
    EXPECT_TRUE(WaitUntil(arrived))
        << "reading " << channel.toStdString() << " left the sliders at " << Position("Slider1")
        << " and " << Position("Slider2");
}

std::vector<std::string> WindowTest::WaitForLog(std::size_t count) {
    WaitUntil([&] { return Simulator().LogLines().size() >= count; });
    return Simulator().LogLines();
}

template <typename W>
W* WindowTest::Find(const char* name) const {
    auto* widget = form_->findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        throw std::runtime_error(std::string("the window has no ") + name);
    }
    return widget;
}

void WindowTest::DismissMessageBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible()) {
            messageBoxes_.push_back(box->text());
            box->done(QMessageBox::Ok);
        }
    }
}

}  // namespace quellmark::e2e
