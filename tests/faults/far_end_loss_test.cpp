#include "event_loop.h"
#include "far_end.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

constexpr std::string_view kReplyStart = kTxReply.substr(0, 18);

// The modem hangs up halfway through a reply: the window notices by itself, quietly.
TEST_F(WindowTest, FarEndClosingMidReplyLeavesTheWindowDisconnected) {
    auto pty = std::make_unique<FarEnd>();
    PointComOneAt(pty->DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsConnected());
    Click("Command2");
    pty->WriteSome(kReplyStart);
    RunEventsFor(50ms);

    pty->Close();

    EXPECT_TRUE(RunEventsUntil([&] { return ShowsDisconnected(); }));
    RunEventsFor(100ms);
    EXPECT_TRUE(dismisser_.Messages().isEmpty()) << dismisser_.Messages().join('\n').toStdString();
    EXPECT_EQ(TxSlider()->value(), 0);
}

// The half reply from the lost line must not be joined to the first line of the next one.
TEST_F(WindowTest, ReconnectingAfterAHangUpReadsTheNextReplyWhole) {
    auto pty = std::make_unique<FarEnd>();
    PointComOneAt(pty->DevicePath());
    Click("Command1");
    pty->WriteSome(kReplyStart);
    RunEventsFor(50ms);
    pty->Close();
    ASSERT_TRUE(RunEventsUntil([&] { return ShowsDisconnected(); }));

    pty = std::make_unique<FarEnd>();
    PointComOneAt(pty->DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsConnected());
    pty->WriteSome(kTxReply);

    EXPECT_TRUE(RunEventsUntil([&] { return TxSlider()->value() == kTxReplyPosition; }))
        << "slider at " << TxSlider()->value();
}

}  // namespace
}  // namespace quellmark::faults
