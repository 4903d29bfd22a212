#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "child_process.h"

namespace {

constexpr int kTimeoutMs = 5000;

class SimulatorProcessTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "quellmark-sim-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string FileContents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }

    std::filesystem::path dir_;
};

TEST_F(SimulatorProcessTest, AnswersOnItsDeviceAndLogsEveryLineByteForByte) {
    const std::filesystem::path log = dir_ / "wire.log";
    ChildProcess simulator(QUELLMARK_MODEM_SIM_PATH, {"--tx", "3", "--rx", "40", "--log", log});
    const std::string device = simulator.ReadFirstLine(kTimeoutMs);
    ASSERT_TRUE(device.starts_with("/dev/pts/")) << device;

    const int fd = OpenDevice(device);
    ASSERT_GE(fd, 0);
    WriteText(fd, "gsm+ A at+vgt=9\r");
    EXPECT_EQ(ReadUntil(fd, "\r\n", kTimeoutMs), "OK\r\n");
    WriteText(fd, "gsm+ A at+vgr?;+vgt?\r");
    EXPECT_EQ(ReadUntil(fd, "OK\r\n", kTimeoutMs),
              "gsm+ A              +VGR: 40\r\ngsm+ A              +VGT: 9\r\nOK\r\n");
    close(fd);

    EXPECT_EQ(FileContents(log), "gsm+ A at+vgt=9\rgsm+ A at+vgr?;+vgt?\r");
    EXPECT_EQ(simulator.Stop(), 0);
}

TEST_F(SimulatorProcessTest, ServesTheNextOpenerThroughItsLinkAndRemovesTheLinkOnStop) {
    const std::filesystem::path link = dir_ / "modem";
    std::filesystem::create_symlink("/dev/null", link);
    ChildProcess simulator(QUELLMARK_MODEM_SIM_PATH,
                           {"--link", link, "--chunks", "--delay-ms", "20", "--seed", "7"});
    const std::string device = simulator.ReadFirstLine(kTimeoutMs);
    ASSERT_EQ(std::filesystem::read_symlink(link), device);

    int fd = OpenDevice(link);
    ASSERT_GE(fd, 0);
    WriteText(fd, "gsm+ B at+vgr=77\r");
    EXPECT_EQ(ReadUntil(fd, "\r\n", kTimeoutMs), "OK\r\n");
    close(fd);

    fd = OpenDevice(link);
    ASSERT_GE(fd, 0);
    WriteText(fd, "gsm+ B at+vgr?;+vgt?\r");
    EXPECT_EQ(ReadUntil(fd, "OK\r\n", kTimeoutMs),
              "gsm+ B              +VGR: 77\r\ngsm+ B              +VGT: 0\r\nOK\r\n");
    close(fd);

    EXPECT_EQ(simulator.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
