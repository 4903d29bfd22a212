#pragma once

#include <optional>
#include <string>

namespace quellmark::modem_sim {

// A symlink to the device at a fixed path, so that a caller need not learn the pty's name.
// Removed on destruction, unless it has been pointed elsewhere meanwhile.
class DeviceLink {
public:
    // Replaces a symlink already at path; anything else there is left alone and is an error.
    // An empty path makes no link.
    static std::optional<DeviceLink> Create(const std::string& path, const std::string& target,
                                            std::string& error);

    DeviceLink(DeviceLink&& other) noexcept;
    DeviceLink& operator=(DeviceLink&&) = delete;
    ~DeviceLink();

private:
    DeviceLink(std::string path, std::string target)
        : path_(std::move(path)), target_(std::move(target)) {}

    std::string path_;
    std::string target_;
};

}  // namespace quellmark::modem_sim
