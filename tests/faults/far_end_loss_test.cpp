#include <QTest>
#include <memory>

#include "pseudo_terminal.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

using test_support::PseudoTerminal;

constexpr std::string_view kReplyStart = kTxReply.substr(0, 18);

// The modem hangs up halfway through a reply: the window notices by itself, quietly. The half
// reply from the lost line must not be joined to the first line of the next connection.
TEST_F(WindowTest, FarEndClosingMidReplyDisconnectsQuietlyAndTheNextConnectionReadsWhole) {
    auto pty = std::make_unique<PseudoTerminal>();
    PointComOneAt(pty->DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsConnected(true));
    Click("Command2");
    pty->Write(kReplyStart);
    QTest::qWait(50);

    pty->Close();

    EXPECT_TRUE(WaitUntil([&] { return ShowsConnected(false); }));
    QTest::qWait(100);
    EXPECT_EQ(TakeMessageBoxes(), std::vector<test_support::ShownBox>{});
    EXPECT_EQ(Position("Slider1"), 0);

    pty = std::make_unique<PseudoTerminal>();
    PointComOneAt(pty->DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsConnected(true));
    pty->Write(kTxReply);

    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == kTxReplyPosition; }))
        << "slider at " << Position("Slider1");
}

}  // namespace
}  // namespace quellmark::faults
