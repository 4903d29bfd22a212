#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <string>

#include "local_network.h"

namespace quellmark::test_support {

// Debian's ser2net in front of `device`, on 127.0.0.1, with an accepter of each kind. Stopped, as a
// gateway going away, by Stop() or when it goes.
class Ser2net {
public:
    enum Accepter {
        kRfc2217,  // opens the device at 19200 baud and 2 stop bits: only the client's settings
                   // bring it to the line's own
        kRawTcp,
        kTelnet,  // without the COM port option
    };

    explicit Ser2net(const std::string& device)
        : ports_{local_network::FreePort(), local_network::FreePort(), local_network::FreePort()} {
        QFile config(dir_.filePath("ser2net.yaml"));
        config.open(QIODevice::WriteOnly);
        const char* const accepters[] = {"telnet(rfc2217),tcp", "tcp", "telnet,tcp"};
        for (const Accepter n : {kRfc2217, kRawTcp, kTelnet}) {
            config.write(
                QString("connection: &c%1\n  accepter: %2,127.0.0.1,%3\n"
                        "  connector: serialdev,%4,%5,local\n")
                    .arg(n)
                    .arg(accepters[n])
                    .arg(ports_[n])
                    .arg(QString::fromStdString(device), n == kRfc2217 ? "19200n82" : "9600n81")
                    .toUtf8());
        }
        config.close();
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start("ser2net", {"-n", "-u", "-c", config.fileName()});
    }
    ~Ser2net() { Stop(); }

    // Whether every accepter listens, within 10 s; seen in the system's table rather than by a
    // connection, which would open the device.
    bool Started() {
        return QTest::qWaitFor(
            [&] { return std::all_of(ports_, ports_ + 3, local_network::Listening); }, 10000);
    }
    void Stop() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    std::string Url(Accepter accepter) const {
        return (accepter == kRawTcp ? "socket://127.0.0.1:" : "rfc2217://127.0.0.1:") +
               std::to_string(ports_[accepter]);
    }
    // What ser2net said, for a failure message.
    std::string Output() { return process_.readAll().toStdString(); }

private:
    QTemporaryDir dir_;
    int ports_[3];
    QProcess process_;
};

}  // namespace quellmark::test_support
