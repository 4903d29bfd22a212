#include <sys/resource.h>

#include <QTcpServer>

#include "local_network.h"
#include "modem.h"
#include "port_device.h"
#include "pseudo_terminal.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

// The real window on the real serial port. Port 10, picked in the window, leads to the modem
// simulator (its standard error passed through) by a link at a fixed path, so a restarted simulator
// is found where the first one was; port 1 leads to a pseudo-terminal whose far end the test plays.
class E2eTest : public WindowTest {
protected:
    E2eTest() { simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel); }
    void StartSimulator(const QStringList& options) {
        simulator.start(QUELLMARK_MODEM_SIM_PATH,
                        options + QStringList{"--link", dir.filePath("modem")});
        ASSERT_TRUE(WaitUntil([&] { return simulator.canReadLine(); })) << "no start-up line";
    }

    // Reads `channel` and waits for the sliders to reach the positions given; a fatal failure when
    // they do not, so that callers stop at the first read that went wrong.
    void ReadValues(const QString& channel, int tx, int rx) {
        Find<QLineEdit>("Text1")->selectAll();
        QTest::keyClicks(Find("Text1"), channel);
        const auto arrived = [&] { return Position("Slider1") == tx && Position("Slider2") == rx; };
        ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
        Click("Command2");
        ASSERT_TRUE(WaitUntil(arrived)) << "reading " << channel.toStdString() << " left "
                                        << Position("Slider1") << ", " << Position("Slider2");
    }

    QTemporaryDir dir;
    const PortDevice device{10, dir.filePath("modem").toStdString()};
    QProcess simulator;  // killed, if still running, once the window has gone
    PseudoTerminal pty;
    const PortDevice ptyDevice{1, pty.DevicePath()};
};

// Each simulator replies in its own style. Each round moves and stores A's gains and reads B, then
// A, so that every read has to move the sliders; B is read right after a read of A, so its answer
// follows right on A's and must be the one that shows. Ending the simulator disconnects without
// an error box (TearDown checks), and the next one connects.
TEST_F(E2eTest, ReadSetAndStoreWithRepliesInEveryStyleAcrossRestarts) {
    Press("Combo1", Qt::Key_End);
    for (const QStringList& style : {QStringList{},
                                     {"--chunks", "--lf", "--noise", "--seed", "4"},
                                     {"--chunks", "--delay-ms", "20"}}) {
        SCOPED_TRACE(style.join(' ').toStdString());
        // RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
        ASSERT_NO_FATAL_FAILURE(StartSimulator(QStringList{"--rx", "70", "--tx", "0"} + style));
        Click("Command1");
        ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13, -2));
        for (int round = 1; round <= 2; ++round) {
            Press("Slider1", Qt::Key_PageDown);
            Press("Slider2", Qt::Key_Up);
            Press("Slider2", Qt::Key_Up);
            Click("Command3");
            Click("Command2");
            ASSERT_NO_FATAL_FAILURE(ReadValues("B", 13, -2));
            ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13 + 5 * round, -2 - 2 * round));
        }
        simulator.terminate();
        ASSERT_TRUE(WaitUntil([&] {
            return State() == kDisconnected && simulator.state() == QProcess::NotRunning;
        })) << State().toStdString();
    }
}

// Ten megabytes without a line end keep memory bounded and the window reading. Then an LF-only
// modem's reply is read in full but for its last line feed: that byte alone, in a notification of
// its own, completes the reply.
TEST_F(E2eTest, FloodThenAReplyWhoseLastByteComesAlone) {
    // Growth of the peak resident size; ctest runs each test in a process of its own.
    const auto peakKb = [] {
        rusage usage{};
        return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
    };
    [[maybe_unused]] const long peakBefore = peakKb();
    Click("Command1");
    const std::string piece(4096, 'x');
    for (int i = 0; i < 10 * 256; ++i) {
        ASSERT_TRUE(pty.Write(piece)) << "the window did not keep up";
    }
    Click("Command2");
    ASSERT_EQ(pty.Receive(21), "gsm+ A at+vgr?;+vgt?\r");
    // The RX line moving its slider shows that the text after it has been read too.
    ASSERT_TRUE(pty.Write("\ngsm+ A at+vgr?;+vgt?+VGR: 40\ngsm+ A at+vgr?;+vgt?+VGT: 5"));
    ASSERT_TRUE(WaitUntil([&] { return Position("Slider2") == 2; })) << Position("Slider2");
    QTest::qWait(50);
    ASSERT_EQ(Position("Slider1"), 0);
    ASSERT_TRUE(pty.Write("\n"));
    // TX device value 5 is position 18.
    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == 18; })) << Position("Slider1");
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(peakKb() - peakBefore, 4 * 1024) << "kB more at the peak";
#endif
}

// Port 2 leads through ser2net to the simulator, over RFC 2217 and raw TCP: read, set and store
// byte for byte; the gateway going away disconnects without an error box.
TEST_F(E2eTest, ThroughAGatewayReadSetStoreAndDisconnectWhenItGoes) {
    const local_network::Ser2netStopper stopper;
    Press("Combo1", Qt::Key_Down);
    for (const char* accepter : {"rfc2217", "tcp"}) {
        SCOPED_TRACE(accepter);
        const QString log = dir.filePath(accepter);
        ASSERT_NO_FATAL_FAILURE(StartSimulator({"--rx", "70", "--log", log}));
        const std::string address = local_network::StartSer2net(
            dir.path().toStdString(), dir.filePath("modem").toStdString(), accepter);
        ASSERT_EQ(address.rfind("error", 0), std::string::npos) << address;
        const PortDevice gateway{2, address};
        Click("Command1");
        ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13, -2));
        Press("Slider1", Qt::Key_PageDown);
        Click("Command3");
        const std::string sent = "gsm+ A at+vgr?;+vgt?\rgsm+ A at+vgt=5\rgsm+ A at&w\r";
        std::string logged;
        EXPECT_TRUE(WaitUntil([&] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) &&
                   (logged = file.readAll().toStdString()) == sent;
        })) << logged;
        local_network::StopSer2net();
        simulator.terminate();
        ASSERT_TRUE(WaitUntil([&] {
            return State() == kDisconnected && simulator.state() == QProcess::NotRunning;
        })) << State().toStdString();
    }
}

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
    const PortDevice device{1, "rfc2217://127.0.0.1:" + std::to_string(server.serverPort())};
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
        EXPECT_EQ(boxes, QStringList{"Quellmark|3|1024|Fehler beim Öffnen des Comports!"});
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
