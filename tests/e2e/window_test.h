#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "form1.h"
#include "running_simulator.h"

namespace quellmark::e2e {

// Generous for a loaded machine; waits end as soon as their condition holds.
inline constexpr int kTimeoutMs = 10000;

// The real window on a real serial port. Port 1 reaches the simulator through a link at a fixed
// path, so it finds a restarted simulator where it found the first one.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;
    void TearDown() override;

    // Starts the simulator behind port 1, stopping any earlier one first.
    void StartSimulator(std::vector<std::string> options = {});
    RunningSimulator& Simulator() { return *simulator_; }

    // What the user does.
    void Click(const char* button);
    void Press(const char* slider, Qt::Key key);
    void SetChannel(const QString& channel);

    // What the user sees.
    QString Text(const char* name) const;
    int Position(const char* slider) const;
    bool Enabled(const char* name) const;
    ::testing::AssertionResult ShowsConnected(bool connected) const;

    // Runs the event loop until `condition` holds; false if it did not within kTimeoutMs.
    static bool WaitUntil(const std::function<bool()>& condition);

    // Clicks "read values" for `channel` and waits for the sliders to reach the positions.
    void ReadValues(const QString& channel, int txPosition, int rxPosition);

    // Waits until the simulator has received at least `count` lines; returns all it has.
    std::vector<std::string> WaitForLog(std::size_t count);

    // The texts of the message boxes dismissed so far; any left at the end fail the test.
    std::vector<QString> TakeMessageBoxes() { return std::exchange(messageBoxes_, {}); }

private:
    template <typename W = QWidget>
    W* Find(const char* name) const;
    void DismissMessageBoxes();

    QTemporaryDir dir_;
    int simulatorsStarted_ = 0;
    std::unique_ptr<RunningSimulator> simulator_;
    // Declared after the simulator so that the port closes before the simulator stops.
    std::unique_ptr<Form1> form_;
    QTimer messageBoxWatch_;
    std::vector<QString> messageBoxes_;
};

}  // namespace quellmark::e2e
