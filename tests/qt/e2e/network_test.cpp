#include <QTcpServer>

#include "local_network.h"
#include "modem.h"
#include "port_device.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

const QStringList kOpenFailed{"Quellmark|3|1024|Fehler beim Öffnen des Comports!"};

// A server of the test's own that refuses the COM port option and answers the query for channel
// 0xFF as the simulator's modem does: with its 0xFF bytes doubled and Telnet commands all through
// the answer (option requests and a notification).
class TelnetModem : public QTcpServer {
public:
    TelnetModem() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, [this] {
            QTcpSocket* client = nextPendingConnection();
            client->write("\xFF\xFE\x2C", 3);
            connect(client, &QTcpSocket::readyRead, [this, client] {
                received += client->readAll();
                if (received.contains("gsm+ \xFF\xFF at+vgr?;+vgt?\r") && !answered) {
                    answered = true;
                    for (const std::string& line : modem.Execute("gsm+ \xFF at+vgr?;+vgt?")) {
                        client->write(Garbled(line + "\r\n"));
                    }
                }
            });
        });
    }
    std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(serverPort()); }

    static QByteArray Garbled(const std::string& text) {
        const QByteArray commands("\xFF\xFD\x01\xFF\xFA\x2C\x6A\x60\xFF\xF0\xFF\xFB\x03", 13);
        QByteArray bytes;
        for (std::size_t i = 0; i < text.size(); ++i) {
            bytes += i % 9 == 4 ? commands : QByteArray();
            bytes += text[i];
            bytes += text[i] == '\xFF' ? "\xFF" : "";
        }
        return bytes;
    }

    modem_sim::Modem modem{{21, 64}};
    QByteArray received;  // as it came, Telnet and all
    bool answered = false;
};

// The replies move the sliders only if no byte of the Telnet commands reaches them; a 0xFF that
// goes out undoubled would end the setter's line early.
TEST_F(WindowTest, TelnetInTheRepliesNeverReachesTheirColumns) {
    TelnetModem server;
    const PortDevice device{1, server.Url()};
    Find<QLineEdit>("Text1")->setText(QString(QChar(0xFF)));
    Click("Command1");
    Click("Command2");
    // TX 21 is position 34, RX 64 position -2.
    ASSERT_TRUE(WaitUntil([&] { return Position("Slider1") == 34 && Position("Slider2") == -2; }));
    Press("Slider1", Qt::Key_PageDown);
    EXPECT_TRUE(WaitUntil([&] { return server.received.contains("gsm+ \xFF\xFF at+vgt=26\r"); }));
}

// Port 1 leads to an address where no connection comes about.
class UnreachableTest : public WindowTest, public QObject {
protected:
    UnreachableTest() { QApplication::instance()->installEventFilter(this); }

    // Presses "Verbinden" with port 1 at `url`: the one message, with the cursor no longer busy,
    // and the disconnected window follow. Returns the time until the message was answered.
    qint64 FailingConnect(const std::string& url) {
        const PortDevice device{1, url};
        QElapsedTimer clock;
        clock.start();
        Click("Command1");
        const qint64 ms = clock.elapsed();
        EXPECT_EQ(boxes, kOpenFailed);
        EXPECT_FALSE(busyOverBox);
        EXPECT_EQ(State(), kDisconnected);
        boxes.clear();
        return ms;
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched)) {
            busyOverBox = QGuiApplication::overrideCursor() != nullptr;
        }
        return false;
    }

    bool busyOverBox = false;
};

// Meanwhile the cursor shows the wait, events run, and a close waits for the message.
TEST_F(UnreachableTest, NobodyListeningOrAnsweringShowsTheOneMessageInTime) {
    EXPECT_LT(FailingConnect("rfc2217://127.0.0.1:" + std::to_string(local_network::FreePort())),
              1000);
    int cursor = -1;
    bool visibleAfterClose = false;
    QTimer::singleShot(500, [&] {
        cursor =
            QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : -1;
        form->close();
        visibleAfterClose = form->isVisible();
    });
    const qint64 ms = FailingConnect(local_network::UnansweredAddress());
    EXPECT_GE(ms, 3000);
    EXPECT_LT(ms, 4000);
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_FALSE(form->isVisible());
}

// Lookups must not leave the machine: the case runs again in a network of its own, with only a
// loopback where the name server takes the questions and never answers. The resolver would wait
// 10 s for it; the window gives up at the connect limit.
TEST_F(UnreachableTest, ANameThatDoesNotResolveShowsTheOneMessageInTime) {
    if (!qEnvironmentVariableIsSet("QUELLMARK_OWN_NETWORK")) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        QProcess again;
        again.setProcessChannelMode(QProcess::ForwardedChannels);
        again.setChildProcessModifier(local_network::EnterOwnNetwork);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUELLMARK_OWN_NETWORK", "1");
        again.setProcessEnvironment(environment);
        again.start(QCoreApplication::applicationFilePath(),
                    {QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
        EXPECT_TRUE(WaitUntil([&] { return again.state() == QProcess::NotRunning; }));
        EXPECT_EQ(again.exitCode(), 0);
        return;
    }
    const qint64 ms = FailingConnect("socket://langsam.example:7000");
    EXPECT_GE(ms, 3000);
    EXPECT_LT(ms, 4000);
}

}  // namespace
}  // namespace quellmark
