#include "command_line.h"

#include <algorithm>

namespace quellmark {

namespace {

// A CR or LF in the channel would end the line early and put a second command on the wire.
std::string Frame(std::string_view channel, std::string_view atCommand) {
    std::string line = "gsm+ ";
    std::copy_if(channel.begin(), channel.end(), std::back_inserter(line),
                 [](char c) { return c != '\r' && c != '\n'; });
    line += atCommand;
    line += '\r';
    return line;
}

}  // namespace

std::string BuildQueryCommand(std::string_view channel) {
    return Frame(channel, " at+vgr?;+vgt?");
}

std::string BuildSetTxCommand(std::string_view channel, std::string_view value) {
    return Frame(channel, " at+vgt=" + std::string(value));
}

std::string BuildSetRxCommand(std::string_view channel, std::string_view value) {
    return Frame(channel, " at+vgr=" + std::string(value));
}

std::string BuildStoreCommand(std::string_view channel) {
    return Frame(channel, " at&w");
}

}  // namespace quellmark
