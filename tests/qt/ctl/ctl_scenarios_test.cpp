#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

#include "ctl_scenarios.h"
#include "local_network.h"
#include "qt_ctl_system.h"

namespace quellmark::testing {
namespace {

QStringList Strings(const std::vector<std::string>& texts) {
    QStringList strings;
    for (const std::string& text : texts) {
        strings << QString::fromStdString(text);
    }
    return strings;
}

class CtlScenarioTest : public ::testing::TestWithParam<CtlScenario> {};

// The far end and the program share a folder: "modem" is the far end's device, "log" what reached
// it.
TEST_P(CtlScenarioTest, PlaysOnLinux) {
    const CtlScenario& row = GetParam();
    QTemporaryDir dir;
    const auto path = [&](const std::string& name) {
        return dir.filePath(QString::fromStdString(name));
    };
    // A user without rights must reach the device to be refused by it.
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
    QFile::link("modem", path("-modem"));
    QProcess simulator;
    QSerialPort holder;
    if (row.farEnd == FarEnd::kPlainFile) {
        ASSERT_TRUE(QFile(path("modem")).open(QIODevice::WriteOnly));
    } else if (row.farEnd != FarEnd::kNothing) {
        simulator.setStandardErrorFile(QProcess::nullDevice());
        simulator.start(QUELLMARK_MODEM_SIM_PATH,
                        Strings(Words(row.simulator, "")) +
                            QStringList{"--link", path("modem"), "--log", path("log"), "--settings",
                                        path("settings")});
        ASSERT_TRUE(simulator.waitForReadyRead(10000)) << "the simulator did not start";
        // Its lock is named after the device's own path, as the program's is.
        holder.setPortName(QFileInfo(path("modem")).canonicalFilePath());
        ASSERT_TRUE(row.farEnd != FarEnd::kHeld || holder.open(QIODevice::ReadWrite));
    }
    const local_network::Ser2netStopper stopper;
    const std::string address = local_network::NetworkAddress(
        AddressRequest(row.farEnd), dir.path().toStdString(), path("modem").toStdString());
    ASSERT_EQ(address.rfind("error", 0), std::string::npos) << address;
    const std::string port = address.empty() ? path("modem").toStdString() : address;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert("LC_ALL", "de_DE.UTF-8");
    variables.insert("QUELLMARK_COM1", QString::fromStdString(port));
    for (const auto& [name, value] : row.environment) {
        variables.insert(QString::fromStdString(name), Strings(Words(value, port))[0]);
    }
    for (const auto& [name, content] : row.files) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content.c_str()) >= 0);
    }
    QStringList args = Strings(Words(row.args, port));
    QString program = QUELLMARK_CTL_PATH;
    if (row.farEnd == FarEnd::kForbidden) {
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args;
        program = "setpriv";
    }
    QProcess ctl;
    ctl.setProcessEnvironment(variables);
    ctl.setWorkingDirectory(dir.path());
    if (row.farEnd == FarEnd::kOwnNetwork) {
        ctl.setChildProcessModifier(local_network::EnterOwnNetwork);
    }
    if (row.output == Output::kUnwritable) {
        ctl.setStandardOutputFile("/dev/full");
    }
    QElapsedTimer clock;
    clock.start();
    ctl.start(program, args);
    ctl.write(row.input.c_str());
    ctl.closeWriteChannel();
    ASSERT_TRUE(ctl.waitForFinished(15000)) << "still running after 15 s";
    ExpectOutcome(
        row, {ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1,
              ctl.readAllStandardOutput().toStdString(), ctl.readAllStandardError().toStdString(),
              std::chrono::milliseconds(clock.elapsed())});
    const auto sent = [&] {
        QFile log(path("log"));
        return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : "";
    };
    EXPECT_EQ(SentBytes(sent, row.sent.size()), row.sent);
    if (QFile settings(path("settings")); !row.lineSettings.empty()) {
        EXPECT_EQ(settings.open(QIODevice::ReadOnly) ? settings.readAll().toStdString() : "",
                  row.lineSettings);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CtlScenarioTest, ::testing::ValuesIn(ScenariosOn(Systems::kLinux)),
                         [](const auto& row) { return std::string(row.param.name); });

// Port n is the window's COM n: the n-th port present, on-board ports first, unless
// QUELLMARK_COM<n> names another device.
TEST(QtCtlSystemTest, PortNumberIsTheNthPresentPort) {
    ctl::QtCtlSystem system([] {
        return std::vector<PresentPort>{{"ttyUSB0", "/dev/ttyUSB0", "", PortKind::Adapter},
                                        {"ttyS4", "/dev/ttyS4", "", PortKind::OnBoard}};
    });
    EXPECT_EQ(system.DeviceOf(1), "/dev/ttyS4");
    EXPECT_EQ(system.DeviceOf(2), "/dev/ttyUSB0");
    EXPECT_EQ(system.DeviceOf(3), "");
}

}  // namespace
}  // namespace quellmark::testing
