#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"
#include "gain_controller.h"

namespace quellmark::testing {

// A controller after start-up, on a fake window and a fake port.
class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() {
        auto fakePort = std::make_unique<FakeSerialPort>(log);
        port = fakePort.get();
        controller = std::make_unique<GainController>(view, std::move(fakePort), ".");
        controller->OnStartup();
        log.clear();
    }

    void Connect() {
        controller->OnConnectToggle();
        log.clear();
    }

    CallLog log;
    FakeView view{log};
    FakeSerialPort* port = nullptr;
    std::unique_ptr<GainController> controller;
};

}  // namespace quellmark::testing
