#pragma once

#include <optional>
#include <string>
#include <utility>

namespace quellmark::modem_sim {

// A pseudo-terminal in raw 8N1 mode whose device end (the slave) others open as a serial line.
// A slave descriptor stays open here so that the master never sees a hangup when another opener
// closes it, and the next opener finds the same terminal.
class PtyDevice {
public:
    static std::optional<PtyDevice> Open(std::string& error);

    PtyDevice(PtyDevice&& other) noexcept;
    PtyDevice& operator=(PtyDevice&&) = delete;
    ~PtyDevice();

    int master() const { return master_; }
    // The simulator's own descriptor of the device end.
    int device() const { return slave_; }
    const std::string& slave_path() const { return slave_path_; }

private:
    PtyDevice(int master, int slave, std::string slave_path)
        : master_(master), slave_(slave), slave_path_(std::move(slave_path)) {}

    int master_;
    int slave_;
    std::string slave_path_;
};

}  // namespace quellmark::modem_sim
