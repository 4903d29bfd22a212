#include <gmock/gmock.h>

#include "controller_fixture.h"
#include "reply_line.h"

namespace quellmark::testing {
namespace {

const std::string kLeadIn = "gsm+ A at+vgr?;+vgt?";  // 20 characters, as a device echoes them

std::string Reply(const std::string& tag, const std::string& value) {
    return kLeadIn + tag + ": " + value + "\r\n";
}

TEST_F(ControllerTest, RepliesInOnePieceMoveTheSliders) {
    Connect();
    port->Receive(Reply("+VGR", "40") + Reply("+VGT", "0"));
    EXPECT_EQ(view.positions[Slider::Slider2], 2);
    EXPECT_EQ(view.texts[Element::Label7], "2 db");
    EXPECT_EQ(view.texts[Element::Label8], "32");
    EXPECT_EQ(view.positions[Slider::Slider1], 13);
    EXPECT_EQ(view.texts[Element::Label1], "0 db");
    EXPECT_EQ(view.texts[Element::Label2], "0");
    EXPECT_EQ(controller->LineBufferSize(), 0u);
}

TEST_F(ControllerTest, ReplySplitByteByByteGivesTheSameResult) {
    Connect();
    for (const char c : Reply("+VGR", "70") + "OK\r\n" + Reply("+VGT", "243")) {
        port->Receive(std::string(1, c));
    }
    EXPECT_EQ(view.positions[Slider::Slider2], -2);
    EXPECT_EQ(view.texts[Element::Label8], "64");
    EXPECT_EQ(view.positions[Slider::Slider1], 0);
    EXPECT_EQ(view.texts[Element::Label1], "-6.5 db");
    EXPECT_TRUE(port->writes.empty());
}

TEST_F(ControllerTest, ShortLinesAreDroppedAndDoNotShiftTheNextReply) {
    Connect();
    port->Receive("OK\r\nX\r\n\r\n" + Reply("+VGT", "0"));
    EXPECT_EQ(view.positions[Slider::Slider1], 13);
    port->Receive("OK\r\n");
    EXPECT_EQ(controller->LineBufferSize(), 0u);
}

TEST_F(ControllerTest, ConnectDropsWhatAnEarlierConnectionLeftHalfReceived) {
    Connect();
    port->Receive("gsm+ A at+");
    controller->OnConnectToggle();
    EXPECT_EQ(controller->LineBufferSize(), 10u) << "disconnect keeps the buffer";
    Connect();
    EXPECT_EQ(controller->LineBufferSize(), 0u);
    port->Receive(Reply("+VGR", "0"));
    EXPECT_EQ(view.positions[Slider::Slider2], 6);
}

TEST_F(ControllerTest, OverlongLineIsDroppedUpToItsEndAndMemoryStaysBounded) {
    Connect();
    // The tail of the long line would read as a reply if the buffer merely wrapped.
    const std::string flood(3 * LineBuffer::kCapacity, 'x');
    port->Receive(flood + Reply("+VGR", "0").substr(0, 30));
    EXPECT_LE(controller->LineBufferSize(), LineBuffer::kCapacity);
    port->Receive("\r\n");
    EXPECT_EQ(view.positions[Slider::Slider2], 0);
    port->Receive(Reply("+VGR", "0"));
    EXPECT_EQ(view.positions[Slider::Slider2], 6);
}

TEST(LineBufferTest, LineOfExactlyTheCapacityIsStillALine) {
    LineBuffer buffer;
    for (std::size_t i = 0; i < LineBuffer::kCapacity; ++i) {
        EXPECT_FALSE(buffer.Add('y'));
    }
    EXPECT_TRUE(buffer.Add('\n'));
    EXPECT_EQ(buffer.Line().size(), LineBuffer::kCapacity);
}

struct ParseCase {
    std::string line;
    std::optional<int> rx;
    std::optional<int> tx;
};

TEST(ReplyLineTest, RecognisesRepliesOnlyByTheirColumns) {
    const std::string lead(20, '.');
    const ParseCase cases[] = {
        {lead + "+VGR: 40", 40, std::nullopt},
        {lead + "+VGT: 243", std::nullopt, 243},
        {lead + "+VGT##-5", std::nullopt, -5},
        {lead + "+VGR:  7 ", 7, std::nullopt},
        {lead + "+VGR: +7", 7, std::nullopt},
        {lead + "+VGR: 32767", 32767, std::nullopt},
        {lead + "+VGR: -32768", -32768, std::nullopt},
        {lead.substr(1) + "+VGR: 40", std::nullopt, std::nullopt},
        {lead + ".+VGR: 40", std::nullopt, std::nullopt},
        {lead + "+vgr: 40", std::nullopt, std::nullopt},
        {lead + "+VGR", std::nullopt, std::nullopt},
        {lead + "+VGR: ", std::nullopt, std::nullopt},
        {lead + "+VG", std::nullopt, std::nullopt},
        {lead + "+VGR: abc", std::nullopt, std::nullopt},
        {lead + "+VGR: 4 0", std::nullopt, std::nullopt},
        {lead + "+VGR: 12x", std::nullopt, std::nullopt},
        {lead + "+VGR: +-3", std::nullopt, std::nullopt},
        {lead + "+VGR: 32768", std::nullopt, std::nullopt},
        {lead + "+VGR: -32769", std::nullopt, std::nullopt},
        {lead + "+VGR: 99999999999999999999", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const ReplyValues values = ParseReplyLine(c.line);
        EXPECT_EQ(values.rx, c.rx) << c.line;
        EXPECT_EQ(values.tx, c.tx) << c.line;
    }
}

TEST_F(ControllerTest, BadReplyValuesLeaveTheSlidersAlone) {
    Connect();
    const std::pair<std::string, std::string> replies[] = {
        {"+VGT", "abc"}, {"+VGT", ""},  {"+VGT", "70000"}, {"+VGT", "200"},
        {"+VGT", "-1"},  {"+VGR", "x"}, {"+VGR", "256"},   {"+VGR", "-1"},
    };
    for (const auto& [tag, value] : replies) {
        port->Receive(Reply(tag, value));
    }
    EXPECT_EQ(view.positions[Slider::Slider1], 0);
    EXPECT_EQ(view.texts[Element::Label2], "243");
    EXPECT_EQ(view.positions[Slider::Slider2], 0);
    EXPECT_EQ(view.texts[Element::Label8], "48");
}

}  // namespace
}  // namespace quellmark::testing
