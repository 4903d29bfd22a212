#include "connected_window.h"

#include <QByteArray>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "device_path.h"
#include "open_line.h"

namespace quellmark::bench {

namespace {

// The port reads QUELLMARK_COM1 when it opens, so it has to be set before the window connects.
std::unique_ptr<SerialPort> PortOnComOne(const std::string& device) {
    qputenv("QUELLMARK_COM1", QByteArray::fromStdString(device));
    return NumberedSystemPort();
}

}  // namespace

ConnectedWindow::ConnectedWindow() : form_(PortOnComOne(farEnd_.DevicePath()), DescribeAllPorts) {
    form_.show();
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    if (!Button("Command2")->isEnabled()) {
        std::fprintf(stderr, "cannot connect to %s\n", farEnd_.DevicePath().c_str());
        std::exit(1);
    }
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
