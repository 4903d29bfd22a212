#pragma once

#include <string>
#include <string_view>

namespace quellmark::modem_sim {

// What went over the wire: received lines byte for byte in the log file, and both directions
// readable on stderr.
class WireLog {
public:
    WireLog() = default;
    WireLog(const WireLog&) = delete;
    WireLog& operator=(const WireLog&) = delete;
    ~WireLog();

    // Appends to path; an empty path means no log file.
    bool Open(const std::string& path, std::string& error);

    void Received(std::string_view raw_line);
    void Sent(std::string_view bytes);

private:
    int fd_ = -1;
};

}  // namespace quellmark::modem_sim
