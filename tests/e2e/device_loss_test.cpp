#include "window_test.h"

namespace quellmark::e2e {
namespace {

TEST_F(WindowTest, SimulatorGoingAwayDisconnectsAndARestartedOneConnectsAgain) {
    StartSimulator(kGains);
    Click("Command1");
    ReadValues("A", 13, -2);

    Simulator().Stop();
    EXPECT_TRUE(WaitUntil([&] { return ShowsConnected(false); }))
        << ShowsConnected(false).message();
    EXPECT_EQ(TakeMessageBoxes(), std::vector<test_support::ShownBox>{})
        << "losing the device is no error box";

    // RX 100 lies in the bucket of position -6, TX 20 is position 33.
    StartSimulator({"--rx", "100", "--tx", "20"});
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));
    ReadValues("A", 33, -6);
    Press("Slider1", Qt::Key_Down);
    EXPECT_EQ(WaitForLog(2), (std::vector<std::string>{kQueryA, "gsm+ A at+vgt=21\r"}));
}

}  // namespace
}  // namespace quellmark::e2e
