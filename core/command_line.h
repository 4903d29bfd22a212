#pragma once

#include <string>
#include <string_view>

// The command lines sent to the modem: "gsm+ ", the channel, an AT command, one carriage return.
namespace quellmark {

std::string BuildQueryCommand(std::string_view channel);
std::string BuildSetTxCommand(std::string_view channel, std::string_view value);
std::string BuildSetRxCommand(std::string_view channel, std::string_view value);
std::string BuildStoreCommand(std::string_view channel);

}  // namespace quellmark
