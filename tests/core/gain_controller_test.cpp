#include <gmock/gmock.h>

#include "controller_fixture.h"

namespace quellmark::testing {
namespace {

using ::testing::ElementsAre;

// The start-up state is the controller's alone: checked here without any window system.
TEST(ControllerStartupTest, StartsDisconnectedWithBothPanelsAtZero) {
    for (const std::string separator : {".", ","}) {
        CallLog log;
        FakeView view(log);
        auto port = std::make_unique<FakeSerialPort>(log);
        const FakeSerialPort& portSeen = *port;
        GainController controller(view, std::move(port), separator);
        controller.OnStartup();

        EXPECT_EQ(view.texts[Element::Label1], "-6" + separator + "5 db");
        EXPECT_EQ(view.texts[Element::Label2], "243");
        EXPECT_EQ(view.texts[Element::Label7], "0 db");
        EXPECT_EQ(view.texts[Element::Label8], "48");
        EXPECT_EQ(view.texts[Element::Command1], "Verbinden");
        EXPECT_THAT(view.list, ElementsAre("COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6",
                                           "COM 7", "COM 8", "COM 9", "COM 10"));
        EXPECT_EQ(view.listIndex, 0);
        EXPECT_THAT(log, ElementsAre("SetText Label1 -6" + separator + "5 db", "SetText Label2 243",
                                     "SetText Label7 0 db", "SetText Label8 48",
                                     "SetText Command1 Verbinden", "SetEnabled Command2 0",
                                     "SetEnabled Command3 0", "SetEnabled Frame2 0",
                                     "SetEnabled Frame3 0"));
        EXPECT_FALSE(portSeen.open);
    }
}

TEST_F(ControllerTest, ConnectShowsCaptionBeforeTouchingThePortThenEnables) {
    view.listIndex = 2;
    controller->OnConnectToggle();
    EXPECT_THAT(log, ElementsAre("SetText Command1 Trennen", "SetPortNumber 3", "Open",
                                 "SetEnabled Command2 1", "SetEnabled Command3 1",
                                 "SetEnabled Frame2 1", "SetEnabled Frame3 1"));
    EXPECT_TRUE(port->open);
}

TEST_F(ControllerTest, FailedConnectShowsTheErrorThenRestoresTheCaption) {
    port->openSucceeds = false;
    view.listIndex = 9;
    controller->OnConnectToggle();
    EXPECT_THAT(log, ElementsAre("SetText Command1 Trennen", "SetPortNumber 10", "Open",
                                 "ShowError Fehler beim Öffnen des Comports!",
                                 "SetText Command1 Verbinden"));
    EXPECT_FALSE(port->open);
    EXPECT_FALSE(view.enabled.at(Element::Command2));
    EXPECT_FALSE(view.enabled.at(Element::Frame3));
}

TEST_F(ControllerTest, DisconnectRestoresCaptionClosesAndDisables) {
    Connect();
    controller->OnConnectToggle();
    EXPECT_THAT(log,
                ElementsAre("SetText Command1 Verbinden", "Close", "SetEnabled Command2 0",
                            "SetEnabled Command3 0", "SetEnabled Frame2 0", "SetEnabled Frame3 0"));
    EXPECT_FALSE(port->open);
}

TEST_F(ControllerTest, LostDeviceLooksLikeADisconnect) {
    Connect();
    port->Lose();
    EXPECT_THAT(log,
                ElementsAre("SetText Command1 Verbinden", "SetEnabled Command2 0",
                            "SetEnabled Command3 0", "SetEnabled Frame2 0", "SetEnabled Frame3 0"));
    EXPECT_TRUE(view.errors.empty());
    controller->OnConnectToggle();
    EXPECT_TRUE(port->open);
}

TEST_F(ControllerTest, ButtonsSendQueryAndStoreForTheChannelTyped) {
    Connect();
    view.texts[Element::Text1] = "B";
    controller->OnReadValues();
    view.texts[Element::Text1] = "";
    controller->OnReadValues();
    controller->OnSaveSettings();
    EXPECT_THAT(port->writes,
                ElementsAre("gsm+ B at+vgr?;+vgt?\r", "gsm+  at+vgr?;+vgt?\r", "gsm+  at&w\r"));
}

TEST_F(ControllerTest, SliderChangesSendTheValueShown) {
    Connect();
    view.positions[Slider::Slider1] = 1;
    controller->OnTxSliderChanged();
    view.positions[Slider::Slider1] = 0;
    controller->OnTxSliderChanged();
    view.positions[Slider::Slider2] = -2;
    controller->OnRxSliderChanged();
    view.positions[Slider::Slider2] = -3;
    controller->OnRxSliderChanged();
    EXPECT_THAT(port->writes, ElementsAre("gsm+ A at+vgt=244\r", "gsm+ A at+vgt=243\r",
                                          "gsm+ A at+vgr=64\r", "gsm+ A at+vgr=64\r"));
    EXPECT_EQ(view.texts[Element::Label7], "-3 db");
    EXPECT_EQ(view.texts[Element::Label8], "64");
}

TEST_F(ControllerTest, NothingIsWrittenWhileClosed) {
    controller->OnReadValues();
    controller->OnSaveSettings();
    view.positions[Slider::Slider1] = 5;
    controller->OnTxSliderChanged();
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(view.texts[Element::Label1], "-4 db");
}

}  // namespace
}  // namespace quellmark::testing
