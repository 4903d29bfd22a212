#include "saved_gains.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "gain_steps.h"

namespace quellmark::ctl {

namespace {

using nlohmann::json;
using GainCheck = std::variant<int, std::string> (*)(std::optional<long long>);

// Far beyond both scales, and far from overflowing when converted.
constexpr double kMaxSteps = 1e6;

// Line and column, counted from 1, of the byte at `position` (counted from 1); columns count
// characters, as an editor shows them.
std::string Where(std::string_view text, std::size_t position) {
    const std::string_view before = text.substr(0, std::min(position, text.size() + 1) - 1);
    const std::size_t lineStart = before.rfind('\n') + 1;  // 0 when there is none
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const auto column = 1 + std::count_if(before.begin() + std::ptrdiff_t(lineStart), before.end(),
                                          [](char c) { return (c & 0xC0) != 0x80; });
    return "Zeile " + std::to_string(line) + ", Spalte " + std::to_string(column);
}

// The whole number of steps that `db` is, none when it lies between two steps.
std::optional<long long> WholeSteps(double db, int stepsPerDb) {
    const double steps = db * stepsPerDb;
    if (steps != std::trunc(steps)) {
        return std::nullopt;
    }
    return static_cast<long long>(std::clamp(steps, -kMaxSteps, kMaxSteps));
}

// The gain under `key`: none for null, else what `check` makes of its "db".
std::variant<std::optional<int>, std::string> GainAt(const json& entry, const std::string& key,
                                                     int stepsPerDb, GainCheck check) {
    const auto gain = entry.find(key);
    if (gain == entry.end()) {
        return key + " fehlt (null, wenn nichts gesetzt werden soll)";
    }
    if (gain->is_null()) {
        return std::nullopt;
    }
    if (!gain->is_object() || !gain->contains("db")) {
        return key + " ist weder null noch ein Objekt mit \"db\"";
    }
    const json& db = gain->at("db");
    const std::string name = key + ".db";
    if (db.is_null()) {
        return name + " ist null: eine Zahl angeben, oder \"" + key +
               "\":null, damit nichts gesetzt wird";
    }
    if (!db.is_number()) {
        return name + " " + db.dump() + " ist keine Zahl";
    }
    const std::variant<int, std::string> checked = check(WholeSteps(db.get<double>(), stepsPerDb));
    if (const std::string* problem = std::get_if<std::string>(&checked)) {
        return name + " " + db.dump() + " " + *problem;
    }
    return std::get<int>(checked);
}

// The setting of one entry, or what is wrong with it.
std::variant<ChannelSetting, std::string> SettingOf(const json& entry) {
    if (!entry.is_object()) {
        return std::string("kein Objekt mit \"channel\", \"tx\" und \"rx\"");
    }
    const auto channel = entry.find("channel");
    if (channel == entry.end() || !channel->is_string()) {
        return std::string("channel fehlt oder ist kein Text");
    }
    if (channel->get_ref<const std::string&>().empty()) {
        return std::string("channel ist leer");
    }
    const auto tx = GainAt(entry, "tx", 2, TxPositionFor);
    if (const std::string* problem = std::get_if<std::string>(&tx)) {
        return *problem;
    }
    const auto rx = GainAt(entry, "rx", 1, RxGainFor);
    if (const std::string* problem = std::get_if<std::string>(&rx)) {
        return *problem;
    }
    return ChannelSetting{channel->get<std::string>(), std::get<std::optional<int>>(tx),
                          std::get<std::optional<int>>(rx)};
}

// "Eintrag 3", with the channel once it is a text: "Eintrag 3 (Kanal "B")".
std::string EntryName(std::size_t index, const json& entry) {
    std::string name = "Eintrag " + std::to_string(index + 1);
    const auto channel = entry.is_object() ? entry.find("channel") : entry.end();
    if (channel != entry.end() && channel->is_string() &&
        !channel->get_ref<const std::string&>().empty()) {
        // Escaped as in JSON: no control character of the file reaches the terminal.
        name += " (Kanal " + channel->dump(-1, ' ', false, json::error_handler_t::replace) + ")";
    }
    return name;
}

}  // namespace

std::variant<std::vector<ChannelSetting>, std::string> ParseSavedGains(std::string_view text) {
    json parsed;
    try {
        parsed = json::parse(text);
    } catch (const json::parse_error& error) {
        const bool atEnd = error.byte > text.size();
        return Where(text, error.byte) +
               (atEnd ? ": das JSON bricht vorzeitig ab" : ": hier ist das JSON ungültig");
    }
    if (!parsed.is_array()) {
        return std::string("kein JSON-Array, wie --read --json es schreibt");
    }
    std::vector<ChannelSetting> settings;
    for (std::size_t index = 0; index < parsed.size(); ++index) {
        auto setting = SettingOf(parsed[index]);
        if (const std::string* problem = std::get_if<std::string>(&setting)) {
            return EntryName(index, parsed[index]) + ": " + *problem;
        }
        settings.push_back(std::get<ChannelSetting>(std::move(setting)));
    }
    return settings;
}

}  // namespace quellmark::ctl
