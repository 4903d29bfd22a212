#pragma once

#include <gtest/gtest.h>

#include <QSlider>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "form1.h"
#include "message_box_dismisser.h"
#include "port_device.h"
#include "serial_port.h"

namespace quellmark::test_support {

// Generous for a loaded machine; waits end as soon as their condition holds.
inline constexpr int kTimeoutMs = 10000;

// The box a failed connect shows.
inline const ShownBox kOpenFailedBox{"Quellmark",
                                     QString::fromUtf8("Fehler beim Öffnen des Comports!"),
                                     QMessageBox::Critical, QMessageBox::Ok};

// The window, shown, driven and read as a user would, with every message box answered at once.
// It runs on the real serial port unless the test gives it another.
class WindowDriver : public ::testing::Test {
protected:
    WindowDriver();
    explicit WindowDriver(std::unique_ptr<SerialPort> port);

    // A message box the test did not take fails it. The window closes here, before the test's
    // own members go, so that its port closes while the device is still there.
    void TearDown() override;

    // Port 1 leads to `device` for the rest of the test.
    void PointComOneAt(const std::string& device) { com1_.emplace(1, device); }

    Form1& Window() { return *form_; }

    template <typename W = QWidget>
    W* Find(const char* name) const {
        auto* widget = form_->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            throw std::runtime_error(std::string("the window has no ") + name);
        }
        return widget;
    }

    // What the user does.
    void Click(const char* button);
    void Press(const char* slider, Qt::Key key);

    // What the user sees.
    QString Text(const char* name) const;
    int Position(const char* slider) const { return Find<QSlider>(slider)->value(); }
    bool Enabled(const char* name) const { return Find(name)->isEnabled(); }
    // The connect button's caption and the controls that need a connection agree on it.
    ::testing::AssertionResult ShowsConnected(bool connected) const;
    std::vector<ShownBox> TakeMessageBoxes() { return dismisser_.Take(); }

    // Runs the event loop until `condition` holds; false if it did not within kTimeoutMs.
    static bool WaitUntil(const std::function<bool()>& condition);

private:
    MessageBoxDismisser dismisser_;
    std::optional<PortDevice> com1_;
    std::unique_ptr<Form1> form_;
};

}  // namespace quellmark::test_support
