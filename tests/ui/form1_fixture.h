#pragma once

#include "fake_serial_port.h"
#include "window_driver.h"

namespace quellmark::testing {

// The window on a fake port that the test can still reach.
class Form1Test : public test_support::WindowDriver {
protected:
    Form1Test() : Form1Test(new FakeSerialPort) {}

    FakeSerialPort* port_;  // owned by the window

private:
    explicit Form1Test(FakeSerialPort* port)
        : WindowDriver(std::unique_ptr<SerialPort>(port)), port_(port) {}
};

}  // namespace quellmark::testing
