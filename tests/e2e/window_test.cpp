#include "window_test.h"

#include <QLineEdit>
#include <QTest>
#include <iostream>
#include <stdexcept>

namespace quellmark::e2e {

WindowTest::WindowTest() {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    PointComOneAt(Link());
}

void WindowTest::TearDown() {
    WindowDriver::TearDown();
    if (HasFailure() && simulator_) {
        std::cout << "Simulator trace:\n" << simulator_->Trace();
    }
}

void WindowTest::StartSimulator(std::vector<std::string> options) {
    simulator_.reset();
    const std::string files =
        dir_.filePath(QStringLiteral("simulator-%1").arg(++simulatorsStarted_)).toStdString();
    options.insert(options.end(), {"--link", Link()});
    simulator_ = std::make_unique<RunningSimulator>(options, files, kTimeoutMs);
    if (simulator_->Device().empty()) {
        throw std::runtime_error("the simulator did not start:\n" + simulator_->Trace());
    }
}

void WindowTest::SetChannel(const QString& channel) {
    auto* field = Find<QLineEdit>("Text1");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, channel);
    ASSERT_EQ(field->text(), channel);
}

void WindowTest::ReadValues(const QString& channel, int txPosition, int rxPosition) {
    if (Text("Text1") != channel) {
        SetChannel(channel);
    }
    const auto arrived = [&] {
        return Position("Slider1") == txPosition && Position("Slider2") == rxPosition;
    };
    ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
    Click("Command2");
    EXPECT_TRUE(WaitUntil(arrived))
        << "reading " << channel.toStdString() << " left the sliders at " << Position("Slider1")
        << " and " << Position("Slider2");
}

std::vector<std::string> WindowTest::WaitForLog(std::size_t count) {
    WaitUntil([&] { return Simulator().LogLines().size() >= count; });
    return Simulator().LogLines();
}

}  // namespace quellmark::e2e
