#include "device_path.h"

#include <gtest/gtest.h>

#include <QString>
#include <map>

namespace quellmark {
namespace {

#ifdef Q_OS_WIN
const QString kPort1 = "COM1";
const QString kPort2 = "COM2";
const QString kPort10 = "COM10";
#else
const QString kPort1 = "/dev/ttyS0";
const QString kPort2 = "/dev/ttyS1";
const QString kPort10 = "/dev/ttyS9";
#endif

struct Case {
    const char* what;
    int port;
    std::map<QString, QString> environment;
    QString expected;
};

TEST(DevicePathForPort, MapsPortNumbersToDevices) {
    const Case cases[] = {
        {"first port", 1, {}, kPort1},
        {"last port", 10, {}, kPort10},
        {"below the range", 0, {}, ""},
        {"above the range, even when configured", 11, {{"QUELLMARK_COM11", "/dev/ttyUSB0"}}, ""},
        {"configured", 1, {{"QUELLMARK_COM1", "/dev/ttyUSB0"}}, "/dev/ttyUSB0"},
        {"configured two-digit port", 10, {{"QUELLMARK_COM10", "/dev/ttyACM0"}}, "/dev/ttyACM0"},
        {"another port configured", 10, {{"QUELLMARK_COM1", "/dev/ttyUSB0"}}, kPort10},
        {"configured empty", 2, {{"QUELLMARK_COM2", ""}}, kPort2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto lookup = [&](const char* name) {
            const auto found = c.environment.find(QString::fromLatin1(name));
            return found == c.environment.end() ? QString() : found->second;
        };
        EXPECT_EQ(DevicePathForPort(c.port, lookup).toStdString(), c.expected.toStdString());
    }
}

}  // namespace
}  // namespace quellmark
