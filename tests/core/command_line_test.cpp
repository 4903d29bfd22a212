#include "command_line.h"

#include <gtest/gtest.h>

namespace quellmark {
namespace {

struct CommandCase {
    std::string built;
    std::string expected;
};

TEST(CommandLineTest, FramesEachCommandByteForByte) {
    const CommandCase cases[] = {
        {BuildQueryCommand("A"), "gsm+ A at+vgr?;+vgt?\r"},
        {BuildSetTxCommand("A", "243"), "gsm+ A at+vgt=243\r"},
        {BuildSetRxCommand("A", "48"), "gsm+ A at+vgr=48\r"},
        {BuildStoreCommand("A"), "gsm+ A at&w\r"},
        {BuildQueryCommand(""), "gsm+  at+vgr?;+vgt?\r"},
        {BuildStoreCommand(""), "gsm+  at&w\r"},
        {BuildSetTxCommand(" B 2 ", "0"), "gsm+  B 2  at+vgt=0\r"},
        {BuildSetRxCommand("Kanal7", "224"), "gsm+ Kanal7 at+vgr=224\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.expected);
    }
    EXPECT_EQ(BuildQueryCommand("A").size(), 21u);
}

TEST(CommandLineTest, LineBreaksInTheChannelCannotStartASecondCommand) {
    EXPECT_EQ(BuildSetTxCommand("A\r at&w\rB", "5"), "gsm+ A at&wB at+vgt=5\r");
    EXPECT_EQ(BuildQueryCommand("\n\r\n"), "gsm+  at+vgr?;+vgt?\r");
    EXPECT_EQ(BuildStoreCommand("\r"), "gsm+  at&w\r");
}

}  // namespace
}  // namespace quellmark
