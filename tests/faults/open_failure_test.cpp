#include <unistd.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "port_holder.h"
#include "pseudo_terminal.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

// A device that cannot be opened until Free() is called.
struct UnusableDevice {
    virtual ~UnusableDevice() = default;
    virtual std::string Path() const = 0;
    virtual void Free() = 0;

    test_support::PseudoTerminal pty;
};

// A link to a device that is not there yet, as an adapter not yet plugged in.
struct AbsentDevice : UnusableDevice {
    std::string Path() const override { return link; }
    void Free() override { ASSERT_EQ(symlink(pty.DevicePath().c_str(), link.c_str()), 0); }

    QTemporaryDir dir;
    std::string link = dir.filePath("modem").toStdString();
};

struct BusyDevice : UnusableDevice {
    BusyDevice() { EXPECT_TRUE(holder.Holding()) << "the other process did not get the device"; }
    std::string Path() const override { return pty.DevicePath(); }
    void Free() override { holder.Release(); }

    PortHolder holder{pty.DevicePath()};
};

struct OpenFailure {
    const char* name;
    std::function<std::unique_ptr<UnusableDevice>()> make;
};

void PrintTo(const OpenFailure& failure, std::ostream* out) {
    *out << failure.name;
}

const OpenFailure kOpenFailures[] = {
    {"Absent", [] { return std::make_unique<AbsentDevice>(); }},
    {"BusyInAnotherProcess", [] { return std::make_unique<BusyDevice>(); }},
};

class OpenFailureTest : public WindowTest, public ::testing::WithParamInterface<OpenFailure> {};

// One error box per attempt, the window back where it started after each, and a connection that
// works once the device can be had.
TEST_P(OpenFailureTest, ShowsTheErrorAndStaysDisconnectedUntilTheDeviceIsFree) {
    const auto device = GetParam().make();
    PointComOneAt(device->Path());

    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        Click("Command1");
        EXPECT_EQ(TakeMessageBoxes(), std::vector{test_support::kOpenFailedBox});
        EXPECT_TRUE(ShowsConnected(false));
    }

    device->Free();
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));
    Press("Slider1", Qt::Key_Down);
    EXPECT_EQ(device->pty.Receive(18), "gsm+ A at+vgt=244\r");
}

INSTANTIATE_TEST_SUITE_P(Devices, OpenFailureTest, ::testing::ValuesIn(kOpenFailures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quellmark::faults
