#include "window_test.h"

namespace quellmark::e2e {
namespace {

TEST_F(WindowTest, SimulatorGoingAwayDisconnectsAndARestartedOneConnectsAgain) {
    StartSimulator({"--rx", "70", "--tx", "0"});
    Click("Command1");
    ReadValues("A", 13, -2);

    Simulator().Stop();
    EXPECT_TRUE(WaitUntil([&] { return ShowsConnected(false); }))
        << ShowsConnected(false).message();
    EXPECT_EQ(TakeMessageBoxes(), std::vector<QString>{}) << "losing the device is no error box";

    // RX 100 lies in the bucket of position -6, TX 20 is position 33.
    StartSimulator({"--rx", "100", "--tx", "20"});
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));
    ReadValues("A", 33, -6);
    Press("Slider1", Qt::Key_Down);
    EXPECT_EQ(WaitForLog(2),
              (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at+vgt=21\r"}));
}

TEST_F(WindowTest, DisconnectingByHandAndConnectingAgainKeepsTalking) {
    StartSimulator({"--rx", "70", "--tx", "0"});
    Click("Command1");
    // Pressed right before disconnecting: its command must still go out.
    Press("Slider2", Qt::Key_Down);
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(false));
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));
    ReadValues("A", 13, 0);
    EXPECT_EQ(WaitForLog(2),
              (std::vector<std::string>{"gsm+ A at+vgr=48\r", "gsm+ A at+vgr?;+vgt?\r"}));
}

TEST_F(WindowTest, ConnectingWithNoModemThereSaysSoAndStaysDisconnected) {
    Click("Command1");
    EXPECT_EQ(TakeMessageBoxes(), std::vector<QString>{"Fehler beim Öffnen des Comports!"});
    EXPECT_TRUE(ShowsConnected(false));

    StartSimulator();
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));
}

}  // namespace
}  // namespace quellmark::e2e
