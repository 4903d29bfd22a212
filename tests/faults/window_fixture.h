#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QByteArray>
#include <QSlider>
#include <QTest>
#include <memory>
#include <string>
#include <string_view>

#include "form1.h"
#include "modal_dismisser.h"
#include "qt_serial_port.h"

namespace quellmark::faults {

// A read-back reply giving the TX gain as device value 5, and where it puts the TX slider.
inline constexpr std::string_view kTxReply = "gsm+ A at+vgr?;+vgt?+VGT: 5\r\n";
inline constexpr int kTxReplyPosition = 18;

// The real window on the real serial port, shown, with COM 1 leading wherever the test says and
// every error box answered at once.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : form_(std::make_unique<QtSerialPort>()) { form_.show(); }
    ~WindowTest() override { qunsetenv("QUELLMARK_COM1"); }

    static void PointComOneAt(const std::string& device) {
        qputenv("QUELLMARK_COM1", QByteArray::fromStdString(device));
    }

    template <typename W = QWidget>
    W* Find(const char* name) {
        auto* widget = form_.findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            ADD_FAILURE() << "no " << name;
        }
        return widget;
    }

    void Click(const char* button) {
        QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
    }
    QSlider* TxSlider() { return Find<QSlider>("Slider1"); }

    // Connected as the user sees it: the button offers to disconnect and the controls work.
    bool ShowsConnected() { return ShowsConnectionState("Trennen", true); }
    bool ShowsDisconnected() { return ShowsConnectionState("Verbinden", false); }

    ModalDismisser dismisser_;
    Form1 form_;

private:
    bool ShowsConnectionState(const char* caption, bool enabled) {
        bool consistent = Find<QAbstractButton>("Command1")->text() == QLatin1String(caption);
        for (const char* name : {"Command2", "Command3", "Frame2", "Frame3"}) {
            consistent = consistent && Find(name)->isEnabled() == enabled;
        }
        return consistent;
    }
};

}  // namespace quellmark::faults
