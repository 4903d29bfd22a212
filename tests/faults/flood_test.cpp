#include <QCoreApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <random>

#include "process_stats.h"
#include "pseudo_terminal.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kFloodBytes = 10 * 1024 * 1024;
constexpr std::size_t kPieceBytes = 4096;
constexpr long kPeakGrowthLimitKb = 4 * 1024;

// Any byte but a line end, so the whole flood is one overlong line.
std::string FloodPiece(std::mt19937& random) {
    std::string piece(kPieceBytes, '\0');
    for (char& c : piece) {
        do {
            c = char(random());
        } while (c == '\r' || c == '\n');
    }
    return piece;
}

class FloodTest : public WindowTest {
protected:
    // Writes all of bytes as the terminal takes them, letting the window read whenever the
    // terminal is full. False if the window has not taken everything in by the test's deadline.
    bool Send(std::string_view bytes) {
        while (!bytes.empty() && !deadline_.hasExpired()) {
            bytes.remove_prefix(pty_.WriteSome(bytes));
            if (!bytes.empty()) {
                QCoreApplication::processEvents();
            }
        }
        return bytes.empty();
    }

    bool Flood(std::size_t total) {
        std::mt19937 random(7);
        const std::string piece = FloodPiece(random);
        for (std::size_t sent = 0; sent < total; sent += piece.size()) {
            if (!Send(std::string_view(piece).substr(0, total - sent))) {
                return false;
            }
        }
        return true;
    }

    const QDeadlineTimer deadline_{30s};
    test_support::PseudoTerminal pty_;
};

TEST_F(FloodTest, TenMegabytesWithoutALineEndKeepMemoryBoundedAndTheWindowUsable) {
    PointComOneAt(pty_.DevicePath());
    Click("Command1");
    ASSERT_TRUE(ShowsConnected(true));
    const long peakBefore = ResetPeakResidentKb();

    ASSERT_TRUE(Flood(kFloodBytes)) << "the window did not keep up";
    ASSERT_TRUE(Send("\r\n"));
    ASSERT_TRUE(Send(kTxReply));

    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == kTxReplyPosition; }))
        << "slider at " << Position("Slider1");
    if (kMemoryFiguresMeaningful) {
        const long peakGrowth = PeakResidentKb() - peakBefore;
        EXPECT_LT(peakGrowth, kPeakGrowthLimitKb) << peakGrowth << " kB more at the peak";
        RecordProperty("peak_growth_kb", int(peakGrowth));
    }
    EXPECT_TRUE(ShowsConnected(true));

    Press("Slider1", Qt::Key_Down);
    EXPECT_EQ(pty_.Receive(16), "gsm+ A at+vgt=6\r");
}

}  // namespace
}  // namespace quellmark::faults
