#include <functional>
#include <memory>

#include "event_loop.h"
#include "far_end.h"
#include "port_holder.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

const QString kOpenFailedMessage = QStringLiteral("Fehler beim Öffnen des Comports!");

// A device path that cannot be opened, kept so for as long as the object lives.
struct UnusableDevice {
    virtual ~UnusableDevice() = default;
    virtual std::string Path() const = 0;
};

struct AbsentDevice : UnusableDevice {
    std::string Path() const override { return "/nonexistent/ttyQM0"; }
};

struct BusyDevice : UnusableDevice {
    BusyDevice() { EXPECT_TRUE(holder.Holding()) << "the other process did not get the device"; }
    std::string Path() const override { return pty.DevicePath(); }

    FarEnd pty;
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

// One error box per attempt, and afterwards the window is back where it started.
TEST_P(OpenFailureTest, ShowsTheErrorAndStaysDisconnected) {
    const auto device = GetParam().make();
    PointComOneAt(device->Path());

    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        Click("Command1");
        EXPECT_EQ(dismisser_.Messages(), QStringList(QList<QString>(attempt, kOpenFailedMessage)));
        EXPECT_TRUE(ShowsDisconnected());
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, OpenFailureTest, ::testing::ValuesIn(kOpenFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, BusyDeviceConnectsOnceTheOtherProcessLetsGo) {
    FarEnd pty;
    PortHolder holder(pty.DevicePath());
    ASSERT_TRUE(holder.Holding());
    PointComOneAt(pty.DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsDisconnected());

    holder.Release();
    Click("Command1");

    EXPECT_EQ(dismisser_.Messages().size(), 1);
    EXPECT_TRUE(ShowsConnected());
    QTest::keyClick(TxSlider(), Qt::Key_Down);
    std::string received;
    EXPECT_TRUE(RunEventsUntil([&] {
        received += pty.ReadAvailable();
        return received.ends_with('\r');
    })) << received;
}

}  // namespace
}  // namespace quellmark::faults
