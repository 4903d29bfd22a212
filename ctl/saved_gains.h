#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ctl_options.h"

namespace quellmark::ctl {

// The settings in `text`, a JSON array as --read --json writes it: per entry its "channel" and
// the TX and RX to set from their "db", none for a null gain. Other keys, "value" among them, are
// not looked at. On a refusal: where and why, in German ("Zeile 2, Spalte 5: …", "Eintrag 3
// (Kanal "B"): tx.db …").
std::variant<std::vector<ChannelSetting>, std::string> ParseSavedGains(std::string_view text);

}  // namespace quellmark::ctl
