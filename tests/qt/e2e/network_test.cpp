#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QTcpServer>
#include <QUdpSocket>

#include "local_network.h"
#include "modem.h"
#include "port_device.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

const QStringList kOpenFailed{"Quellmark|3|1024|Fehler beim Öffnen des Comports!"};

// The simulator on `link`, logging what it receives to `log`; stopped when it goes.
struct Simulator : QProcess {
    Simulator(const QString& link, const QString& log) {
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start(QUELLMARK_MODEM_SIM_PATH, {"--rx", "70", "--link", link, "--log", log});
        waitForReadyRead(10000);
    }
    ~Simulator() override {
        terminate();
        waitForFinished(5000);
    }
};

// The settings of the terminal at `path`, e.g. "9600 8N1"; `reset` first sets it to 1200 baud and
// 2 stop bits.
std::string LineSettings(const QString& path, bool reset = false) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (reset && tcgetattr(fd, &settings) == 0) {
        cfsetspeed(&settings, B1200);
        settings.c_cflag |= CSTOPB;
        tcsetattr(fd, TCSANOW, &settings);
    }
    const std::string text = local_network::LineSettings(fd);
    close(fd);
    return text;
}

// The window through ser2net in front of the simulator, as port 2: RFC 2217 or raw TCP.
class GatewayTest : public WindowTest, public ::testing::WithParamInterface<bool> {
protected:
    QString Path(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    Simulator simulator{Path("modem"), Path("log")};
    const local_network::Ser2netStopper stopper;
    const std::string address = local_network::StartSer2net(
        dir.path().toStdString(), Path("modem").toStdString(), GetParam() ? "rfc2217" : "tcp");
    PortDevice device{2, address};
};

TEST_P(GatewayTest, ReadsSetsAndStoresThenDisconnectsWhenTheServerGoes) {
    ASSERT_EQ(address.rfind("error", 0), std::string::npos) << address;
    ASSERT_NE(LineSettings(Path("modem"), true), "9600 8N1");
    Press("Combo1", Qt::Key_Down);
    Click("Command1");
    ASSERT_EQ(State(), "Trennen 1111");
    if (GetParam()) {
        EXPECT_TRUE(WaitUntil([&] { return LineSettings(Path("modem")) == "9600 8N1"; }));
    }
    Click("Command2");
    // RX 70 lies in the bucket of position -2, TX 0 is position 13.
    ASSERT_TRUE(WaitUntil([&] { return Position("Slider1") == 13 && Position("Slider2") == -2; }));
    Press("Slider1", Qt::Key_PageDown);
    Click("Command3");
    const std::string sent = "gsm+ A at+vgr?;+vgt?\rgsm+ A at+vgt=5\rgsm+ A at&w\r";
    std::string log;
    EXPECT_TRUE(WaitUntil([&] {
        QFile file(Path("log"));
        return file.open(QIODevice::ReadOnly) && (log = file.readAll().toStdString()) == sent;
    })) << log;
    local_network::StopSer2net();
    EXPECT_TRUE(WaitUntil([&] { return State() == kDisconnected; })) << State().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rfc2217AndRawTcp, GatewayTest, ::testing::Bool());

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
// loopback where the name server is first absent, then silent. The resolver would wait 10 s for
// it; the window gives up at the connect limit.
TEST_F(UnreachableTest, NamesThatDoNotResolveShowTheOneMessageInTime) {
    if (!qEnvironmentVariableIsSet("QUELLMARK_OWN_NETWORK")) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        QTemporaryFile resolver;
        ASSERT_TRUE(resolver.open() && resolver.write("nameserver 127.0.0.1\n") &&
                    resolver.flush());
        const QString run =
            "ip link set lo up && mount --bind %1 /etc/resolv.conf && "
            "QUELLMARK_OWN_NETWORK=1 exec %2 --gtest_filter=%3.%4";
        EXPECT_EQ(QProcess::execute("unshare", {"-m", "-n", "sh", "-c",
                                                run.arg(resolver.fileName(),
                                                        QCoreApplication::applicationFilePath(),
                                                        test->test_suite_name(), test->name())}),
                  0);
        return;
    }
    EXPECT_LT(FailingConnect("rfc2217://nirgends.invalid:7000"), 3000);
    QUdpSocket nameServer;
    ASSERT_TRUE(nameServer.bind(QHostAddress::LocalHost, 53));
    const qint64 ms = FailingConnect("socket://langsam.example:7000");
    EXPECT_GE(ms, 3000);
    EXPECT_LT(ms, 4000);
}

}  // namespace
}  // namespace quellmark
