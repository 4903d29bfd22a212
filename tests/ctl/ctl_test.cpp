#include <gtest/gtest.h>

#include "ctl_program.h"
#include "gain_reading.h"

namespace quellmark::ctl {
namespace {

const std::string kLeadIn = "gsm+ A              ";  // 20 characters, as the device puts them

// What a script parses: the window's gain texts at the ends of both scales, the modem's values,
// and JSON that keeps any channel text a valid string.
TEST(GainReadingTest, LinesAndJsonForEveryKindOfAnswer) {
    // The reading, whether it is complete, its line and its JSON object.
    const std::tuple<GainReading, bool, std::string, std::string> cases[] = {
        {{"B", 255, 224},
         true,
         "B: TX -0,5 db (255), RX -22 db (224)",
         R"({"channel":"B","tx":{"db":-0.5,"value":255},"rx":{"db":-22,"value":224}})"},
        {{"D", 102, {}},
         false,
         "D: TX 51 db (102), RX keine Antwort",
         R"({"channel":"D","tx":{"db":51,"value":102},"rx":null})"},
        {{"\"q\\\t", 103, 256},
         false,
         "\"q\\\t: TX ungültiger Wert (103), RX ungültiger Wert (256)",
         R"({"channel":"\"q\\\u0009","tx":null,"rx":null})"},
    };
    for (const auto& [reading, complete, line, json] : cases) {
        EXPECT_EQ(IsComplete(reading), complete) << line;
        EXPECT_EQ(ReadingLine(reading, ","), line);
        EXPECT_EQ(ReadingsJson({reading}), "[" + json + "]");
    }
}

// A port whose bytes are handed to the system only when the script says so.
struct FakePort : SerialLine {
    void SetEventHandler(std::function<void()> handler) override { event = std::move(handler); }
    bool IsOpen() const override { return open; }
    void Close() override { open = false; }
    void Write(const std::string& text) override { unsent += text.size(); }
    std::size_t WaitingCount() const override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }
    std::size_t UnsentCount() const override { return unsent; }
    void WaitUntilSent() override { *waitedUntilSent = true; }

    std::function<void()> event;
    bool open = true;
    std::size_t unsent = 0;
    std::string incoming;
    bool* waitedUntilSent;
};

// The event loop plays `script`: what the line and the timer do while the program waits.
struct FakeSystem : CtlSystem {
    std::string PortForms() const override { return ""; }
    std::string DeviceOf(const std::variant<int, std::string>&) override { return "/dev/x"; }
    OpenedLine Open(const std::string&) override {
        auto opened = std::make_unique<FakePort>();
        opened->waitedUntilSent = &waitedUntilSent;
        port = opened.get();
        return opened;
    }
    void StartTimer(std::chrono::milliseconds, std::function<void()> passed) override {
        timer = std::move(passed);
    }
    void StopTimer() override { timer = nullptr; }
    // Steps after the end are played too: they must change nothing.
    void RunEventLoop() override {
        for (const auto& step : script) {
            step(*this);
        }
        EXPECT_TRUE(quit) << "the program did not end";
    }
    void QuitEventLoop() override { quit = true; }
    std::string DecimalSeparator() const override { return ","; }
    void Print(bool toError, const std::string& text) override { (toError ? err : out) += text; }

    std::vector<std::function<void(FakeSystem&)>> script;
    FakePort* port = nullptr;  // while the program runs
    bool waitedUntilSent = false;
    std::function<void()> timer;
    bool quit = false;
    std::string out, err;
};

using Step = std::function<void(FakeSystem&)>;
const Step kHandedOver = [](FakeSystem& s) { s.port->unsent = 0, s.port->event(); };
const Step kTimerPasses = [](FakeSystem& s) { s.timer(); };
const Step kLost = [](FakeSystem& s) { s.port->open = false, s.port->event(); };
const Step kRxReply = [](FakeSystem& s) {
    s.port->incoming = kLeadIn + "+VGR: 48\r", s.port->event();
};
const Step kTxReply = [](FakeSystem& s) {
    s.port->incoming = kLeadIn + "+VGT: 0\r", s.port->event();
};

// The program ends only once what it wrote has gone out, or with status 5 when it cannot; a
// read ends at its deadline with what came, and nothing after the end counts.
TEST(CtlProgramTest, EndsOnceEverythingIsSentOrReportsWhatWentWrong) {
    const std::string unsent = "quellmark-ctl: COM 1 (/dev/x) hat nicht alle Befehle angenommen\n";
    const std::tuple<std::string, std::vector<Step>, int, std::string, std::string> cases[] = {
        {"--store", {kHandedOver}, 0, "", ""},
        {"--store", {kTimerPasses}, 5, "", unsent},
        {"--store", {kLost}, 5, "", unsent},
        {"--read", {kRxReply, kTxReply, kHandedOver}, 0, "A: TX 0 db (0), RX 0 db (48)\n", ""},
        {"--read",
         {kHandedOver, kRxReply, kTimerPasses, kTxReply, kLost},
         4,
         "A: TX keine Antwort, RX 0 db (48)\n",
         ""},
    };
    for (const auto& [action, script, status, out, err] : cases) {
        FakeSystem system;
        system.script = script;
        const std::vector<std::string> args = {"1", action};
        EXPECT_EQ(RunCtlProgram(args, system, ""), status) << action;
        EXPECT_EQ(system.out, out);
        EXPECT_EQ(system.err, err);
        EXPECT_EQ(system.waitedUntilSent, status != 5) << "waited for the line";
    }
}

}  // namespace
}  // namespace quellmark::ctl
