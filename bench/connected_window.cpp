#include "connected_window.h"

#include <QByteArray>
#include <QTest>
#include <memory>

#include "qt_serial_port.h"

namespace quellmark::bench {

namespace {

// The port reads QUELLMARK_COM1 when it opens, so it has to be set before the window connects.
std::unique_ptr<SerialPort> PortOnComOne(const std::string& device) {
    qputenv("QUELLMARK_COM1", QByteArray::fromStdString(device));
    return std::make_unique<QtSerialPort>();
}

}  // namespace

ConnectedWindow::ConnectedWindow(const std::string& device) : form_(PortOnComOne(device)) {
    form_.show();
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
}

bool ConnectedWindow::Connected() const {
    return Button("Command2")->isEnabled();
}

QSlider* ConnectedWindow::TxSlider() const {
    return form_.findChild<QSlider*>(QStringLiteral("Slider1"));
}

QAbstractButton* ConnectedWindow::Button(const char* name) const {
    return form_.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

void DefaultToOffscreen() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace quellmark::bench
