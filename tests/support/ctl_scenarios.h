#pragma once

#include <string>
#include <vector>

#include "ctl_scenario.h"

namespace quellmark::testing {

inline std::string QueryLine(const std::string& channel) {
    return "gsm+ " + channel + " at+vgr?;+vgt?\r";
}
inline std::string SetLine(const std::string& channel, const char* gain, int value) {
    return "gsm+ " + channel + " at+vg" + gain + "=" + std::to_string(value) + "\r";
}
inline std::string StoreLine(const std::string& channel) {
    return "gsm+ " + channel + " at&w\r";
}
// For `count` channels: the arguments that set TX 10,5 dB and RX -2 dB and store them, and the
// lines that go out.
inline std::pair<std::string, std::string> StoredBatch(int count) {
    std::string channels, lines;
    for (int i = 0; i < count; ++i) {
        const std::string channel = std::string("K").append(std::to_string(i));
        channels += (i > 0 ? "," : "") + channel;
        lines += SetLine(channel, "t", 21);
        lines += SetLine(channel, "r", 64);
        lines += StoreLine(channel);
    }
    return {"@PORT --tx 10,5 --rx -2 --store -c " + channels, lines};
}

using namespace std::chrono_literals;

inline const std::string kReadA = "A: TX 0 db (0), RX 0 db (48)\n";
inline const std::string kUnread = ": TX keine Antwort, RX keine Antwort\n";
inline const std::string kUnopened = " lässt sich nicht öffnen: ";
inline const std::string kLost = " verloren\n";
// Both scales' ends, as --read --json writes them.
inline const std::string kSaved =
    R"([{"channel":"Kä","tx":{"db":-6.5,"value":243},"rx":{"db":6,"value":0}},)"
    R"({"channel":"B","tx":{"db":51,"value":102},"rx":{"db":-22,"value":224}}])";

// quellmark-ctl as scripts use it, and every way a run of it can end. Laid out by hand, a row or
// two each.
// clang-format off
inline const std::vector<CtlScenario> kCtlScenarios = {
    {.name = "set_store_and_read_two_channels", .simulator = "--rx 70",
     .args = "@PORT -c A,B --tx 10,5 --rx -4 --store --read",
     .out = "A: TX 10,5 db (21), RX -4 db (80)\nB: TX 10,5 db (21), RX -4 db (80)\n",
     .sent = SetLine("A", "t", 21) + SetLine("A", "r", 80) + StoreLine("A") + QueryLine("A") +
             SetLine("B", "t", 21) + SetLine("B", "r", 80) + StoreLine("B") + QueryLine("B")},
    {.name = "port_number_json_slow_replies_in_pieces_with_noise_and_lf",
     .simulator = "--rx 70 --chunks --noise --lf --delay-ms 300", .args = "1 --read --json -c D",
     .out = R"([{"channel":"D","tx":{"db":0,"value":0},"rx":{"db":-2,"value":70}}])" "\n",
     .sent = QueryLine("D")},
    {.name = "umlaut_goes_out_as_latin1_and_json_stays_utf8", .args = "@PORT --read --json -c Kä",
     .out = R"([{"channel":"Kä","tx":{"db":0,"value":0},"rx":{"db":0,"value":48}}])" "\n",
     .sent = QueryLine("K\xE4")},
    {.name = "one_silent_channel_of_three", .simulator = "--silent-channel B",
     .args = "@PORT -c A,B,C --read --timeout 0,5", .status = 4,
     .out = kReadA + "B" + kUnread + "C: TX 0 db (0), RX 0 db (48)\n",
     .sent = QueryLine("A") + QueryLine("B") + QueryLine("C")},
    {.name = "silent_device_ends_at_the_timeout", .simulator = "--silent",
     .args = "@PORT --read --timeout 0,5", .status = 4, .out = "A" + kUnread,
     .sent = QueryLine("A"), .atLeast = 500ms, .atMost = 1800ms},
    {.name = "device_lost_after_a_silent_channel",
     .simulator = "--silent-channel A --hangup-after 2",
     .args = "@PORT -c A,B,C --read --timeout 0,5", .status = 5, .out = "A" + kUnread,
     .errHas = kLost, .sent = QueryLine("A") + QueryLine("B")},
    {.name = "json_of_a_device_lost_before_the_last_channel", .simulator = "--hangup-after 1",
     .args = "@PORT -c A,B --read --json", .status = 5,
     .out = R"([{"channel":"A","tx":null,"rx":null},{"channel":"B","tx":null,"rx":null}])" "\n",
     .errHas = kLost, .sent = QueryLine("A")},
    {.name = "store_to_a_silent_device", .simulator = "--silent", .args = "@PORT --store",
     .sent = StoreLine("A")},
    // About 1.8 KB, 2 s at 9600 baud.
    {.name = "large_batch_at_the_line_pace", .simulator = "--pace 9600",
     .args = StoredBatch(40).first, .sent = StoredBatch(40).second},
    // The program waits twice the line's time for what it queued, plus a second.
    {.name = "line_that_takes_nothing", .simulator = "--pace 0", .args = StoredBatch(10).first,
     .status = 5, .errHas = " hat nicht alle Befehle angenommen\n", .atLeast = 2000ms},
    {.name = "quellmark_com10", .args = "10 --store", .environment = {{"QUELLMARK_COM10", "@PORT"}},
     .sent = StoreLine("A")},
    {.name = "held_by_another_program", .farEnd = FarEnd::kHeld, .args = "@PORT --read",
     .status = 3, .errHas = kUnopened + "belegt"},
    {.name = "port_number_without_device", .farEnd = FarEnd::kNothing, .args = "9 --read",
     .status = 3, .errHas = "COM 9"},
    {.name = "absent_device", .systems = Systems::kLinux, .farEnd = FarEnd::kNothing,
     .args = "@PORT --store", .status = 3, .errHas = kUnopened + "Gerät nicht gefunden\n"},
    {.name = "not_a_serial_device", .systems = Systems::kLinux, .farEnd = FarEnd::kPlainFile,
     .args = "@PORT --store", .status = 3, .errHas = kUnopened + "kein serielles Gerät\n"},
    {.name = "no_permission", .systems = Systems::kLinux, .farEnd = FarEnd::kForbidden,
     .args = "@PORT --read", .status = 3,
     .errHas = kUnopened + "keine Berechtigung; serielle Geräte darf die Gruppe dialout"},
    {.name = "lower_case_com12", .systems = Systems::kWindows, .args = "com12 --store",
     .sent = StoreLine("A")},
    {.name = "umlaut_on_a_console", .systems = Systems::kWindows, .args = "@PORT --read -c Kä",
     .output = Output::kConsole, .out = "Kä: TX 0 db (0), RX 0 db (48)\n",
     .sent = QueryLine("K\xE4")},
    // Through a gateway, on channel "ÿ": the byte 0xFF, which is Telnet's escape. The program sends
    // the line settings once the server has agreed to the option, which can be after its first
    // commands: the slow replies let the last come after them.
    {.name = "rfc2217_sets_the_line_and_carries_0xff", .farEnd = FarEnd::kRfc2217,
     .args = "@PORT -c ÿ --tx 10,5 --store --read", .out = "ÿ: TX 10,5 db (21), RX 0 db (48)\n",
     .sent = SetLine("\xFF", "t", 21) + StoreLine("\xFF") + QueryLine("\xFF"),
     .lineSettings = "9600 8N1"},
    {.name = "raw_tcp_carries_0xff", .farEnd = FarEnd::kRawTcp,
     .args = "@PORT -c ÿ --rx -4 --store --read", .out = "ÿ: TX 0 db (0), RX -4 db (80)\n",
     .sent = SetLine("\xFF", "r", 80) + StoreLine("\xFF") + QueryLine("\xFF")},
    {.name = "server_refusing_to_set_the_line", .farEnd = FarEnd::kTelnetOnly,
     .args = "@PORT -c A,B --read", .out = kReadA + "B: TX 0 db (0), RX 0 db (48)\n",
     .errHas = ": der Server stellt die Leitung nicht ein, sie läuft mit seinen Einstellungen\n",
     .sent = QueryLine("A") + QueryLine("B")},
    {.name = "server_closing_mid_run", .farEnd = FarEnd::kRfc2217, .simulator = "--hangup-after 1",
     .args = "@PORT -c A,B --read", .status = 5, .errHas = kLost, .sent = QueryLine("A")},
    {.name = "address_where_nobody_listens", .farEnd = FarEnd::kNobody, .args = "@PORT --read",
     .status = 3, .errHas = " nimmt keine Verbindung an (", .atMost = 1500ms},
    // The connect limit is the same whatever the time-out for replies.
    {.name = "connect_that_never_completes", .farEnd = FarEnd::kUnanswered,
     .args = "@PORT --read --timeout 10", .status = 3,
     .errHas = " antwortet nicht innerhalb von 3 s\n", .atLeast = 2900ms, .atMost = 4000ms},
    {.name = "name_whose_lookup_never_ends", .farEnd = FarEnd::kOwnNetwork,
     .args = "socket://langsam.example:7000 --read", .status = 3,
     .errHas = "langsam.example Port 7000 antwortet nicht innerhalb von 3 s\n", .atLeast = 2900ms,
     .atMost = 4000ms},
    {.name = "address_without_port", .args = "rfc2217://127.0.0.1 --read", .status = 2,
     .errHas = "\"rfc2217://127.0.0.1\": der Port fehlt"},
    {.name = "address_with_user_and_password", .args = "socket://a:b@127.0.0.1:7000 --store",
     .status = 2, .errHas = "Benutzername und Passwort gehören nicht in die Adresse"},
    {.name = "device_named_after_double_dash", .args = "--rx 6 -c Z -- -modem",
     .sent = SetLine("Z", "r", 0)},
    // What --read --json wrote, applied and read back, is the same file.
    {.name = "saved_gains_read_back_as_saved", .args = "@PORT --apply saved.json --read --json",
     .files = {{"saved.json", kSaved}}, .out = kSaved + "\n",
     .sent = SetLine("K\xE4", "t", 243) + SetLine("K\xE4", "r", 0) + QueryLine("K\xE4") +
             SetLine("B", "t", 102) + SetLine("B", "r", 224) + QueryLine("B")},
    {.name = "saved_gains_from_a_file_stored", .args = "@PORT --apply saved.json --store",
     .files = {{"saved.json", R"([{"channel":"Kä","tx":{"db":-0.5,"value":255},"rx":null},)"
                              R"({"channel":"L","tx":null,"rx":{"db":-22,"value":230}}])"}},
     .sent = SetLine("K\xE4", "t", 255) + StoreLine("K\xE4") + SetLine("L", "r", 224) +
             StoreLine("L")},
    {.name = "saved_gain_off_the_scale_on_standard_input", .args = "@PORT --apply -",
     .input = R"([{"channel":"A","tx":{"db":1},"rx":null},)"
              R"({"channel":"B","tx":{"db":52},"rx":null}])",
     .status = 2, .errHas = "Standardeingabe: Eintrag 2 (Kanal \"B\"): tx.db 52 liegt außerhalb"},
    {.name = "odd_rx", .args = "@PORT --rx -3", .status = 2, .errHas = "\"-3\" ist ungerade"},
    {.name = "json_without_read", .args = "@PORT --json", .status = 2,
     .errHas = "--json gilt nur zusammen mit --read"},
    {.name = "help_names_both_meanings_of_status_5", .args = "--help --bogus",
     .outHas = "5 Verbindung während des Laufs verloren oder Befehle nicht rechtzeitig"},
    {.name = "help_that_cannot_be_written", .args = "--help", .output = Output::kUnwritable,
     .status = 1, .errHas = "die Ausgabe ließ sich nicht schreiben"},
    // A script lacks what it asked for: that outranks the device's loss.
    {.name = "readings_of_a_lost_device_that_cannot_be_written", .simulator = "--hangup-after 1",
     .args = "@PORT --read --json", .output = Output::kUnwritable, .status = 1,
     .errHas = kLost + "quellmark-ctl: die Ausgabe ließ sich nicht schreiben\n",
     .sent = QueryLine("A")},
};
// clang-format on

inline std::vector<CtlScenario> ScenariosOn(Systems system) {
    std::vector<CtlScenario> rows;
    std::copy_if(kCtlScenarios.begin(), kCtlScenarios.end(), std::back_inserter(rows),
                 [system](const CtlScenario& row) {
                     return row.systems == Systems::kBoth || row.systems == system;
                 });
    return rows;
}

}  // namespace quellmark::testing
