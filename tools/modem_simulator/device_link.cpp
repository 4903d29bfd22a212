#include "device_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quellmark::modem_sim {

std::optional<DeviceLink> DeviceLink::Create(const std::string& path, const std::string& target,
                                             std::string& error) {
    if (path.empty()) {
        return DeviceLink("", "");
    }
    struct stat existing {};
    if (lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = path + " exists and is not a symlink";
            return std::nullopt;
        }
        unlink(path.c_str());
    }
    if (symlink(target.c_str(), path.c_str()) != 0) {
        error = "symlink " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return DeviceLink(path, target);
}

DeviceLink::DeviceLink(DeviceLink&& other) noexcept
    : path_(std::move(other.path_)), target_(std::move(other.target_)) {
    other.path_.clear();
}

DeviceLink::~DeviceLink() {
    if (path_.empty()) {
        return;
    }
    std::error_code ignored;
    if (std::filesystem::read_symlink(path_, ignored) == target_) {
        std::filesystem::remove(path_, ignored);
    }
}

}  // namespace quellmark::modem_sim
