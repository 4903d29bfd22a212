#include "window_driver.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QSlider>
#include <QTest>
#include <QVariant>

#include "qt_serial_port.h"

namespace quellmark::test_support {

WindowDriver::WindowDriver() : WindowDriver(std::make_unique<QtSerialPort>()) {}

WindowDriver::WindowDriver(std::unique_ptr<SerialPort> port)
    : form_(std::make_unique<Form1>(std::move(port))) {
    form_->show();
}

void WindowDriver::TearDown() {
    EXPECT_EQ(TakeMessageBoxes(), std::vector<ShownBox>{}) << "message boxes shown";
    form_.reset();
}

void WindowDriver::Click(const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
}

void WindowDriver::Press(const char* slider, Qt::Key key) {
    QTest::keyClick(Find<QSlider>(slider), key);
}

QString WindowDriver::Text(const char* name) const {
    // Labels, buttons and fields all declare it as their "text" property.
    const QWidget* widget = Find(name);
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    return widget->property("text").toString();
}

::testing::AssertionResult WindowDriver::ShowsConnected(bool connected) const {
    const QString caption = connected ? "Trennen" : "Verbinden";
    if (Text("Command1") != caption) {
        return ::testing::AssertionFailure() << "Command1 reads " << Text("Command1").toStdString();
    }
    for (const char* name : {"Command2", "Command3", "Frame2", "Frame3"}) {
        if (Enabled(name) != connected) {
            return ::testing::AssertionFailure() << name << (connected ? " disabled" : " enabled")
                                                 << " under " << caption.toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}

bool WindowDriver::WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kTimeoutMs);
}

}  // namespace quellmark::test_support
