#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "device_broadcast.h"
#include "far_end.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_descriptions.h"
#include "shown_window.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using test_support::PumpUntil;
using win32::ControlId;

const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";

// The real window on the real serial port. Its port 1 is COM1, which Wine's port registry leads
// to the modem simulator's link, so a restarted simulator is found where the first one was. Any
// message box that comes up is answered, so that the test goes on and can say so.
class E2eTest : public ::testing::Test, protected test_support::ShownWindow {
protected:
    E2eTest() : ShownWindow(NumberedSystemPort(), DescribeSystemPorts) {}
    ~E2eTest() override {
        EXPECT_TRUE(test_support::seenBoxes.empty())
            << "message boxes came up: " << test_support::seenBoxes.front().text;
    }

    bool Disconnected() const {
        return Text(Command1) == "Verbinden" && !IsWindowEnabled(At(Command2));
    }

    // Starts a simulator whose channels hold RX 70 (position -2) and TX 0 (position 13, 0 dB).
    bool Connect() {
        far_.Request("simulator --rx 70 --tx 0");
        Press(Command1);
        return Text(Command1) == "Trennen" && IsWindowEnabled(At(Command2));
    }

    // What the simulators have logged, once it is `size` bytes long.
    std::string Log(std::size_t size = 0) {
        std::string log;
        PumpUntil([&] { return (log = far_.SimulatorLog()).size() >= size; });
        return log;
    }

    const test_support::BoxWatch boxes_;
    test_support::FarEnd far_;
};

// Read, step, store and read again; then the simulator ends, as a device that goes away does: the
// window disconnects without a box and connects to the next one, which logs to the same file.
// Last, the system reports the port's device removed.
TEST_F(E2eTest, ReadStepStoreReadAgainLoseTheDeviceAndReconnect) {
    ASSERT_TRUE(Connect()) << Text(Command1);
    ASSERT_TRUE(ReadValues(L"A", 13, -2));
    PumpUntil([] { return false; }, 300);  // for a set command wrongly following the read to arrive
    EXPECT_EQ(Log(), kQueryA);

    const std::pair<ControlId, WORD> keys[] = {
        {Slider1, VK_NEXT}, {Slider1, VK_UP}, {Slider2, VK_DOWN}, {Slider2, VK_DOWN}};
    for (const auto& [slider, key] : keys) {
        PressKey(slider, key);
    }
    Press(Command3);
    // A channel named in the user's code page (Windows-1252 here) goes out a byte a character, and
    // one the code page lacks as "?", not as a letter that looks like it.
    ASSERT_TRUE(ReadValues(L"\u00e9\u20ac\u0142", 13, -2));
    ASSERT_TRUE(ReadValues(L"A", 17, 0));

    far_.Request("hangup");
    ASSERT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
    ASSERT_TRUE(Connect()) << Text(Command1);
    ASSERT_TRUE(ReadValues(L"A", 13, -2));
    const std::string expected = kQueryA + "gsm+ A at+vgt=5\rgsm+ A at+vgt=4\rgsm+ A at+vgr=64\r" +
                                 "gsm+ A at+vgr=48\rgsm+ A at&w\rgsm+ \xe9\x80? at+vgr?;+vgt?\r" +
                                 kQueryA + kQueryA;
    EXPECT_EQ(Log(expected.size()), expected);

    // The system's word that another adapter is gone changes nothing; that the one behind COM1 is
    // gone, in whatever case it names the port, disconnects as a failing read does.
    test_support::BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"COM7");
    PumpUntil([] { return false; }, 300);
    ASSERT_FALSE(Disconnected());
    test_support::BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"com1");
    EXPECT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
}

}  // namespace
}  // namespace quellmark
