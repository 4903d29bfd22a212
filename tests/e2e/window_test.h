#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "running_simulator.h"
#include "window_driver.h"

namespace quellmark::e2e {

using test_support::kTimeoutMs;

// RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
inline const std::vector<std::string> kGains{"--rx", "70", "--tx", "0"};
inline const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";
inline const std::string kQueryB = "gsm+ B at+vgr?;+vgt?\r";

// The real window on a real serial port against the modem simulator. Port 1 reaches the simulator
// through a link at a fixed path, so it finds a restarted simulator where it found the first one.
class WindowTest : public test_support::WindowDriver {
protected:
    WindowTest();
    void TearDown() override;

    // Starts the simulator behind port 1, stopping any earlier one first.
    void StartSimulator(std::vector<std::string> options = {});
    RunningSimulator& Simulator() { return *simulator_; }

    void SetChannel(const QString& channel);

    // Clicks "read values" for `channel` and waits for the sliders to reach the positions.
    void ReadValues(const QString& channel, int txPosition, int rxPosition);

    // Waits until the simulator has received at least `count` lines; returns all it has.
    std::vector<std::string> WaitForLog(std::size_t count);

private:
    std::string Link() const { return dir_.filePath(QStringLiteral("modem")).toStdString(); }

    QTemporaryDir dir_;
    int simulatorsStarted_ = 0;
    std::unique_ptr<RunningSimulator> simulator_;
};

}  // namespace quellmark::e2e
