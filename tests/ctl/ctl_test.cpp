#include <gtest/gtest.h>

#include "ctl_options.h"
#include "ctl_scenario.h"
#include "gain_reading.h"
#include "saved_gains.h"

namespace quellmark::ctl {
namespace {

// Each command line and what it asks for, or why it is refused. Rows follow scans that stopped
// half-way through an argument, so each parse must start afresh.
TEST(CtlOptionsTest, CommandLinesAsEveryOtherProgramReadsThem) {
    using namespace std::chrono_literals;
    const std::vector<ChannelSetting> channelA = {{"A", std::nullopt, std::nullopt}};
    const std::string kApplyAlone =
        "--apply nimmt Kanäle und Werte aus der Datei: nicht zusammen mit -c, --tx oder --rx";
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
        {"1 --apply f --rx 2", UsageError{kApplyAlone}},
        {"--apply=- -c A 1", UsageError{kApplyAlone}},
        {"--store -- 1 -x", UsageError{"nur ein Port, nicht \"1\" und \"-x\""}},
        {"1", UsageError{"nichts zu tun: --tx, --rx, --apply, --store oder --read angeben"}},
        {"1 --tx 51,5", UsageError{"--tx: \"51,5\" liegt außerhalb von -6,5 bis 51 dB"}},
        {"1 --store --timeout 3", UsageError{"--timeout gilt nur zusammen mit --read"}},
        {"1 --rx -21", UsageError{"--rx: \"-21\" ist ungerade; das Modem nimmt nur gerade Werte"}},
        {"1 --tx=10,25",
         UsageError{"--tx: \"10,25\" liegt zwischen zwei Stufen (Schritte von 0,5 dB)"}},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(ParseCommandLine(testing::Words(args, "")), expected) << args;
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

}  // namespace
}  // namespace quellmark::ctl
