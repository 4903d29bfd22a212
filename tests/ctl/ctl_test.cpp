#include <gtest/gtest.h>

#include "ctl_program.h"
#include "gain_reading.h"
#include "saved_gains.h"

namespace quellmark::ctl {
namespace {

const std::string kLeadIn = "gsm+ A              ";  // 20 characters, as the device puts them

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = text.find(' ', start);
        words.push_back(text.substr(start, end - start));
    }
    return words;
}

// Each command line and what it asks for, or why it is refused. Rows follow scans that stopped
// half-way through an argument, so each parse must start afresh.
TEST(CtlOptionsTest, CommandLinesAsEveryOtherProgramReadsThem) {
    using namespace std::chrono_literals;
    const std::vector<ChannelSetting> channelA = {{"A", std::nullopt, std::nullopt}};
    const std::pair<std::string, ParsedCommandLine> cases[] = {
        {"1 --tx 10,5", CtlOptions{.port = 1, .settings = {{"A", 34, std::nullopt}}}},
        {"--rx=-2 /dev/x -cA,B --store",
         CtlOptions{.port = "/dev/x",
                    .settings = {{"A", std::nullopt, -2}, {"B", std::nullopt, -2}},
                    .store = true}},
        {"--st --rea --tim 1 2",
         CtlOptions{.port = 2, .settings = channelA, .store = true, .read = true, .timeout = 1s}},
        {"--read -- -dev", CtlOptions{.port = "-dev", .settings = channelA, .read = true}},
        {"-xA 1 --store", UsageError{"unbekannte Option -x"}},
        {"--apply=- --read COM3",
         CtlOptions{.port = "COM3", .settings = channelA, .applyFile = "-", .read = true}},
        {"1 --store -c", UsageError{"-c braucht einen Wert"}},
        {"--vers --bogus", InfoRequest::Version},
        {"1 --store --chan", UsageError{"--channel braucht einen Wert"}},
        {"--t 3 1", UsageError{"--t ist mehrdeutig: --tx, --timeout"}},
        {"--store=yes 1", UsageError{"--store nimmt keinen Wert"}},
        {"1 --json", UsageError{"--json gilt nur zusammen mit --read"}},
        {"1 --store --timeout 3", UsageError{"--timeout gilt nur zusammen mit --read"}},
        {"1 --apply f --rx 2",
         UsageError{"--apply nimmt Kanäle und Werte aus der Datei: nicht zusammen mit -c, --tx "
                    "oder --rx"}},
        {"--store -- 1 -x", UsageError{"nur ein Port, nicht \"1\" und \"-x\""}},
        {"1", UsageError{"nichts zu tun: --tx, --rx, --apply, --store oder --read angeben"}},
        {"1 --tx 51,5", UsageError{"--tx: \"51,5\" liegt außerhalb von -6,5 bis 51 dB"}},
        {"1 --tx=10,25",
         UsageError{"--tx: \"10,25\" liegt zwischen zwei Stufen (Schritte von 0,5 dB)"}},
        {"1 --rx -3", UsageError{"--rx: \"-3\" ist ungerade; das Modem nimmt nur gerade Werte"}},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(ParseCommandLine(Words(args)), expected) << args;
    }
}

// A file as --read --json writes it, and every way it can be wrong, with where.
TEST(SavedGainsTest, SettingsOrWhereTheFileIsWrong) {
    using Settings = std::vector<ChannelSetting>;
    const std::string in = "Eintrag 1 (Kanal \"B\"): ";
    const std::pair<std::string, std::variant<Settings, std::string>> cases[] = {
        {R"([{"channel":"A","tx":{"db":-6.5,"value":243},"rx":{"db":-22},"x":0},)"
         R"( {"channel":"Ä","tx":{"db":51},"rx":{"db":6.0}}, {"channel":"A","tx":null,"rx":null}])",
         Settings{{"A", 0, -22}, {"Ä", 115, 6}, {"A", std::nullopt, std::nullopt}}},
        {"", "Zeile 1, Spalte 1: das JSON bricht vorzeitig ab"},
        {"[\n {\"channel\":\"Ä\" x", "Zeile 2, Spalte 17: hier ist das JSON ungültig"},
        {R"({"channel":"A"})", "kein JSON-Array, wie --read --json es schreibt"},
        {R"([{"channel":"A","tx":null,"rx":null},[]])",
         "Eintrag 2: kein Objekt mit \"channel\", \"tx\" und \"rx\""},
        {R"([{"channel":"","tx":null,"rx":null}])", "Eintrag 1: channel ist leer"},
        {R"([{"channel":7,"tx":null,"rx":null}])", "Eintrag 1: channel fehlt oder ist kein Text"},
        {R"([{"channel":"B","tx":{"db":51.5},"rx":null}])",
         in + "tx.db 51.5 liegt außerhalb von -6,5 bis 51 dB"},
        {R"([{"channel":"B","tx":{"db":-1e300},"rx":null}])",
         in + "tx.db -1e+300 liegt außerhalb von -6,5 bis 51 dB"},
        {R"([{"channel":"B","tx":{"db":10.25},"rx":null}])",
         in + "tx.db 10.25 liegt zwischen zwei Stufen (Schritte von 0,5 dB)"},
        {R"([{"channel":"B","tx":{"db":"1"},"rx":null}])", in + "tx.db \"1\" ist keine Zahl"},
        {R"([{"channel":"B","tx":{"db":null,"value":150},"rx":null}])",
         in + "tx.db ist null: eine Zahl angeben, oder \"tx\":null, damit nichts gesetzt wird"},
        {R"([{"channel":"B","tx":null,"rx":{"db":-3}}])",
         in + "rx.db -3 ist ungerade; das Modem nimmt nur gerade Werte"},
        {R"([{"channel":"B","tx":null}])", in + "rx fehlt (null, wenn nichts gesetzt werden soll)"},
        {R"([{"channel":"\u001b[2J","tx":2}])",
         R"(Eintrag 1 (Kanal "\u001b[2J"): tx ist weder null noch ein Objekt mit "db")"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseSavedGains(text), expected) << text;
    }
}

// What a script parses: the window's gain texts at the ends of both scales, the modem's values
// (also off the scale), and JSON that keeps any channel text a valid string.
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
        {{"\"q\\\t\xFF", 103, 256},
         false,
         "\"q\\\t\xFF: TX ungültiger Wert (103), RX ungültiger Wert (256)",
         R"({"channel":"\"q\\\t�","tx":{"db":null,"value":103},)"
         R"("rx":{"db":null,"value":256}})"},
    };
    for (const auto& [reading, complete, line, json] : cases) {
        EXPECT_EQ(IsComplete(reading), complete) << line;
        EXPECT_EQ(ReadingLine(reading, ","), line);
        EXPECT_EQ(ReadingsJson(std::span(&reading, 1)), "[" + json + "]");
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
    bool Print(bool toError, const std::string& text) override {
        (toError ? err : out) += text;
        return toError || !outputFails;
    }
    std::variant<std::string, ReadFailure> ReadInput(const std::string&) override { return ""; }

    std::vector<std::function<void(FakeSystem&)>> script;
    FakePort* port = nullptr;  // while the program runs
    bool waitedUntilSent = false;
    std::function<void()> timer;
    bool quit = false;
    bool outputFails = false;
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
const Step kOutputFails = [](FakeSystem& s) { s.outputFails = true; };

// The program ends only once what it wrote has gone out, or with status 5 when it cannot; a
// read ends at its deadline with what came, and nothing after the end counts. JSON has every
// channel asked for. Output that cannot be written outranks every other status.
TEST(CtlProgramTest, EndsOnceEverythingIsSentOrReportsWhatWentWrong) {
    const std::string unsent = "quellmark-ctl: COM 1 (/dev/x) hat nicht alle Befehle angenommen\n";
    const std::string lost = "quellmark-ctl: Verbindung zu COM 1 (/dev/x) verloren\n";
    const std::string json = R"([{"channel":"A","tx":null,"rx":{"db":0,"value":48}},)"
                             R"({"channel":"B","tx":null,"rx":null}])"
                             "\n";
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
        {"--read --json -c A,B", {kRxReply, kLost}, 5, json, lost},
        {"--read --json -c A,B",
         {kOutputFails, kRxReply, kLost},
         1,
         json,
         lost + "quellmark-ctl: die Ausgabe ließ sich nicht schreiben\n"},
    };
    for (const auto& [action, script, status, out, err] : cases) {
        FakeSystem system;
        system.script = script;
        EXPECT_EQ(RunCtlProgram(Words("1 " + action), system, ""), status) << action;
        EXPECT_EQ(system.out, out);
        EXPECT_EQ(system.err, err);
        EXPECT_EQ(system.waitedUntilSent, err.empty()) << "waited for the line";
    }
}

}  // namespace
}  // namespace quellmark::ctl
