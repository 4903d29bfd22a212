#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device_broadcast.h"
#include "element_table.h"
#include "far_end.h"
#include "form1.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_descriptions.h"
#include "stuck_read.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using test_support::PumpUntil;
using win32::ControlId;

const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";
const std::string kQueryB = "gsm+ B at+vgr?;+vgt?\r";

// Any message box that comes up is recorded and closed, so that the test goes on and can say so.
std::vector<std::string> boxes;
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = FindWindowW(L"#32770", nullptr); box != nullptr) {
        boxes.push_back(win32::ToUtf8(win32::WindowText(GetDlgItem(box, 0xFFFF))));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// The real window on the real serial port. Its port 1 is COM1, which Wine's port registry leads
// to the modem simulator's link, so a restarted simulator is found where the first one was.
class E2eTest : public ::testing::Test {
protected:
    E2eTest() { ShowWindow(window_, SW_SHOW); }
    ~E2eTest() override {
        KillTimer(nullptr, boxTimer_);
        EXPECT_TRUE(boxes.empty()) << "message boxes came up: " << boxes.front();
    }

    HWND At(ControlId id) const { return GetDlgItem(window_, win32::IdOf(id)); }
    std::string Text(ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    int Position(ControlId slider) const { return int(SendMessageW(At(slider), TBM_GETPOS, 0, 0)); }
    void Press(ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }
    bool Disconnected() const {
        return Text(Command1) == "Verbinden" && !IsWindowEnabled(At(Command2));
    }

    // Starts a simulator whose channels hold RX 70 (position -2) and TX 0 (position 13, 0 dB).
    bool Connect() {
        far_.Request("simulator --rx 70 --tx 0");
        Press(Command1);
        return Text(Command1) == "Trennen" && IsWindowEnabled(At(Command2));
    }

    // Reads `channel` and waits for the sliders to reach the positions given.
    void ReadValues(const char* channel, int tx, int rx) {
        SetWindowTextW(At(Text1), win32::ToWide(channel).c_str());
        const auto arrived = [&] { return Position(Slider1) == tx && Position(Slider2) == rx; };
        ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
        Press(Command2);
        ASSERT_TRUE(PumpUntil(arrived))
            << "reading " << channel << " left " << Position(Slider1) << ", " << Position(Slider2);
    }

    // What the simulators have logged, once it is `size` bytes long.
    std::string Log(std::size_t size = 0) {
        std::string log;
        PumpUntil([&] { return (log = far_.SimulatorLog()).size() >= size; });
        return log;
    }

    const UINT_PTR boxTimer_ = SetTimer(nullptr, 0, 100, &CloseBoxes);
    test_support::FarEnd far_;
    Form1 form_{NumberedSystemPort(), DescribeSystemPorts};
    HWND window_ = form_.Handle();
};

// Read, step, store and read again; then the simulator ends, as a device that goes away does: the
// window disconnects without a box and connects to the next one, which logs to the same file.
// Last, the system reports the port's device removed.
TEST_F(E2eTest, ReadStepStoreReadAgainLoseTheDeviceAndReconnect) {
    ASSERT_TRUE(Connect()) << Text(Command1);
    ReadValues("A", 13, -2);
    PumpUntil([] { return false; }, 300);  // for a set command wrongly following the read to arrive
    EXPECT_EQ(Log(), kQueryA);

    const std::pair<ControlId, WORD> keys[] = {
        {Slider1, VK_NEXT}, {Slider1, VK_UP}, {Slider2, VK_DOWN}, {Slider2, VK_DOWN}};
    for (const auto& [slider, key] : keys) {  // the slider tells the window as it does for input
        SendMessageW(At(slider), WM_KEYDOWN, key, 1);
        SendMessageW(At(slider), WM_KEYUP, key, 0xC0000001);
    }
    Press(Command3);
    ReadValues("B", 13, -2);
    ReadValues("A", 17, 0);

    far_.Request("hangup");
    ASSERT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
    ASSERT_TRUE(Connect()) << Text(Command1);
    ReadValues("A", 13, -2);
    const std::string expected = kQueryA + "gsm+ A at+vgt=5\rgsm+ A at+vgt=4\rgsm+ A at+vgr=64\r" +
                                 "gsm+ A at+vgr=48\rgsm+ A at&w\r" + kQueryB + kQueryA + kQueryA;
    EXPECT_EQ(Log(expected.size()), expected);

    // The system's word that another adapter is gone changes nothing; that the one behind COM1 is
    // gone, in whatever case it names the port, disconnects as a failing read does.
    test_support::BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"COM7");
    PumpUntil([] { return false; }, 300);
    ASSERT_FALSE(Disconnected());
    test_support::BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"com1");
    EXPECT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
}

// A driver whose cancelled read never ends: closing the window still ends it within a second.
TEST(E2eStuckDriver, TheWindowClosesPromptlyWithTheReaderStuckInARead) {
    using namespace std::chrono;
    test_support::FarEnd farEnd;
    farEnd.Request("simulator");
    const test_support::StuckRead read;
    auto form = std::make_unique<Form1>(NumberedSystemPort(read.Reading()), DescribeSystemPorts);
    SendMessageW(GetDlgItem(form->Handle(), win32::IdOf(Command1)), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(read.entered.Get(), 5000), WAIT_OBJECT_0) << "not connected";
    const HWND window = form->Handle();
    const steady_clock::time_point start = steady_clock::now();
    SendMessageW(window, WM_CLOSE, 0, 0);
    form.reset();
    EXPECT_LT(steady_clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(IsWindow(window));
    SetEvent(read.released.Get());
}

}  // namespace
}  // namespace quellmark
