#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "port_device.h"
#include "pseudo_terminal.h"

namespace quellmark {
namespace {

using test_support::PortDevice;
using test_support::PseudoTerminal;

struct CtlResult {
    int status;
    std::string out, err;
    qint64 ms;
};

// quellmark-ctl as a shell starts it, with German number formats, `input` on standard input, in
// `folder` or the test's own.
class CtlProcess : public QProcess {
public:
    explicit CtlProcess(const QStringList& args, const QByteArray& input = {},
                        const QString& folder = {}) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert("LC_ALL", "de_DE.UTF-8");
        setProcessEnvironment(variables);
        setWorkingDirectory(folder);
        clock.start();
        start(QUELLMARK_CTL_PATH, args);
        write(input);
        closeWriteChannel();
    }
    // Runs the event loop until the program ends, 15 s at most.
    bool Finished() {
        return QTest::qWaitFor([&] { return state() == QProcess::NotRunning; }, 15000);
    }
    CtlResult Result() {
        return {exitStatus() == QProcess::NormalExit ? exitCode() : -1,
                readAllStandardOutput().toStdString(), readAllStandardError().toStdString(),
                clock.elapsed()};
    }

    QElapsedTimer clock;
};

// The modem simulator on a link in a folder of its own, logging what it receives; killed when
// it goes.
class CtlTest : public ::testing::Test {
protected:
    void StartSimulator(const QStringList& options) {
        simulator = std::make_unique<QProcess>();
        simulator->setStandardErrorFile(QProcess::nullDevice());  // the log file says it all
        simulator->start(QUELLMARK_MODEM_SIM_PATH,
                         options + QStringList{"--link", Modem(), "--log", dir.filePath("log")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return simulator->canReadLine(); }, 10000));
    }
    QString Modem() const { return dir.filePath("modem"); }
    // The simulator's log once it holds `size` bytes or 5 s have passed.
    std::string Log(std::size_t size) const {
        std::string log;
        (void)QTest::qWaitFor(
            [&] {
                QFile file(dir.filePath("log"));
                log = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
                return log.size() >= size;
            },
            5000);
        return log;
    }
    CtlResult Run(const QStringList& args, const QByteArray& input = {}) const {
        CtlProcess ctl(args, input, dir.path());
        EXPECT_TRUE(ctl.Finished()) << "still running: " << args.join(' ').toStdString();
        return ctl.Result();
    }
    QString Saved(const QString& name, const std::string& text) const {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) &&
                    file.write(text.data(), qint64(text.size())));
        return file.fileName();
    }

    QTemporaryDir dir;
    std::unique_ptr<QProcess> simulator;
};

// Every argument either sends exactly its lines, or is refused with status 2 and one line on
// standard error before anything is opened. The log must equal all expected lines in order, so
// a refused call that sent something late would show too. Saved gains come from a file or from
// standard input, which holds the same text for every call.
TEST_F(CtlTest, ArgumentsSendTheirLinesOrAreRefusedWithNothingSent) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({}));
    ASSERT_TRUE(QFile::link(Modem(), dir.filePath("-modem")));
    const std::string kSaved = R"([{"channel":"K ä","tx":{"db":-0.5,"value":255},"rx":null},)"
                               R"({"channel":"L","tx":null,"rx":{"db":-22,"value":230}}])";
    const QString saved = Saved("saved.json", kSaved);
    const QString tooHigh = Saved("high.json", R"([{"channel":"A","tx":{"db":1},"rx":null},
                                                  {"channel":"B","tx":{"db":52},"rx":null}])");
    const QString kNoPort = "-";  // the port follows the arguments unless they say this
    const std::pair<QStringList, std::string> accepted[] = {
        {{"--tx", "10,5"}, "gsm+ A at+vgt=21\r"},
        {{"--tx", "-0.5"}, "gsm+ A at+vgt=255\r"},
        {{"--rx", "6", "--tx=-6,5"}, "gsm+ A at+vgt=243\rgsm+ A at+vgr=0\r"},
        {{"--tx", "51,0", "--rx=-22"}, "gsm+ A at+vgt=102\rgsm+ A at+vgr=224\r"},
        {{"--store", "--tx", "0", "--channel", "B 1,C", "--rx", "-2,0"},
         "gsm+ B 1 at+vgt=0\rgsm+ B 1 at+vgr=64\rgsm+ B 1 at&w\r"
         "gsm+ C at+vgt=0\rgsm+ C at+vgr=64\rgsm+ C at&w\r"},
        {{"--help", "--bogus"}, ""},
        {{"--rx", "6", "-c", "Z", "--", "-modem", kNoPort}, "gsm+ Z at+vgr=0\r"},
        {{"--apply", saved, "--store"},
         "gsm+ K \xE4 at+vgt=255\rgsm+ K \xE4 at&w\rgsm+ L at+vgr=224\rgsm+ L at&w\r"},
        {{"--apply=-"}, "gsm+ K \xE4 at+vgt=255\rgsm+ L at+vgr=224\r"},
    };
    // Calls parted by '|', arguments by blanks; "-" stands for a missing port.
    QStringList refused = QString(
                              "--tx 51,5|--tx -7|--tx 10,25|--tx 1e1|--rx 8|--rx -24|"
                              "--rx 3|--store -c A,,B|--read --timeout 0|--store -x|"
                              "--json|--store -|--store 11 -|--store 1 2 -|--store --timeout 1|"
                              "--apply=- -c A")
                              .split('|');
    refused << "--apply " + tooHigh << "--apply " + dir.filePath("absent.json");
    std::vector<std::tuple<QStringList, int, std::string>> cases;
    for (const auto& [args, sent] : accepted) {
        cases.emplace_back(args, 0, sent);
    }
    for (const QString& args : refused) {
        cases.emplace_back(args.split(' '), 2, "");
    }
    std::string expectedLog;
    for (auto [args, status, sent] : cases) {
        if (!args.removeOne(kNoPort)) {
            args << Modem();
        }
        SCOPED_TRACE(args.join(' ').toStdString());
        const CtlResult result = Run(args, QByteArray::fromStdString(kSaved));
        EXPECT_EQ(result.status, status) << result.err;
        const bool oneLine = result.err.starts_with("quellmark-ctl: ") &&
                             std::count(result.err.begin(), result.err.end(), '\n') == 1;
        EXPECT_TRUE(status == 2 ? oneLine : result.err.empty()) << result.err;
        expectedLog += sent;
        ASSERT_EQ(Log(expectedLog.size()), expectedLog);
    }
}

// For A, B and C in order: set, store, read; then a read of an untouched channel and of B as JSON.
TEST_F(CtlTest, SetStoreAndReadSeveralChannelsWithRepliesInEveryStyle) {
    for (const QStringList& style :
         {QStringList{}, {"--chunks", "--lf", "--noise", "--delay-ms", "20", "--seed", "4"}}) {
        SCOPED_TRACE(style.join(' ').toStdString());
        QFile::remove(dir.filePath("log"));
        ASSERT_NO_FATAL_FAILURE(StartSimulator(QStringList{"--rx", "70", "--tx", "0"} + style));
        const CtlResult set =
            Run({Modem(), "-c", "A,B,C", "--tx", "10,5", "--rx", "-4", "--store", "--read"});
        ASSERT_EQ(set.status, 0) << set.err;
        EXPECT_EQ(set.out,
                  "A: TX 10,5 db (21), RX -4 db (80)\nB: TX 10,5 db (21), RX -4 db (80)\n"
                  "C: TX 10,5 db (21), RX -4 db (80)\n");
        const PortDevice com2(2, Modem().toStdString());
        const CtlResult json = Run({"2", "--read", "--json", "-c", "D,B"});
        ASSERT_EQ(json.status, 0) << json.err;
        EXPECT_EQ(json.out, R"([{"channel":"D","tx":{"db":0,"value":0},"rx":{"db":-2,"value":70}},)"
                            R"({"channel":"B","tx":{"db":10.5,"value":21},)"
                            R"("rx":{"db":-4,"value":80}}])"
                            "\n");
        std::string expected;
        for (const std::string channel : {"A", "B", "C"}) {
            const std::string prefix = "gsm+ " + channel;
            expected += prefix + " at+vgt=21\r" + prefix + " at+vgr=80\r" + prefix + " at&w\r" +
                        prefix + " at+vgr?;+vgt?\r";
        }
        expected += "gsm+ D at+vgr?;+vgt?\rgsm+ B at+vgr?;+vgt?\r";
        EXPECT_EQ(Log(expected.size()), expected);
        simulator.reset();
    }
}

// A script must not take the run for a success when it lacks what it asked for.
TEST_F(CtlTest, OutputThatCannotBeWrittenIsStatus1) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({}));
    for (const QStringList& args : {QStringList{"--help"}, {Modem(), "--read", "--json"}}) {
        QProcess ctl;
        ctl.setStandardOutputFile("/dev/full");
        ctl.start(QUELLMARK_CTL_PATH, args);
        ASSERT_TRUE(ctl.waitForFinished(15000));
        EXPECT_EQ(ctl.exitCode(), 1);
        EXPECT_EQ(ctl.readAllStandardError(),
                  "quellmark-ctl: die Ausgabe ließ sich nicht schreiben\n");
    }
}

// What --read --json saved sets every channel back; a value between the table's steps comes
// back as the table's value for the same dB.
TEST_F(CtlTest, SavedGainsRestoreTheModem) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"--rx", "70", "--tx", "0"}));
    ASSERT_EQ(Run({Modem(), "-c", "B", "--tx", "10,5", "--rx", "-4"}).status, 0);
    const CtlResult saved = Run({Modem(), "-c", "A,B", "--read", "--json"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    ASSERT_EQ(Run({Modem(), "-c", "A,B", "--tx", "1", "--rx", "2"}).status, 0);
    const CtlResult restored =
        Run({Modem(), "--apply", Saved("a.json", saved.out), "--read", "--json"});
    ASSERT_EQ(restored.status, 0) << restored.err;
    std::string expected = saved.out;
    expected.replace(expected.find(R"("value":70)"), 10, R"("value":64)");
    EXPECT_EQ(restored.out, expected);
}

// A reply that was waiting before the start is not taken for an answer; each channel waits
// its time-out, and the program ends soon after the last.
TEST_F(CtlTest, DeviceThatNeverAnswersEndsEachChannelAtTheTimeout) {
    PseudoTerminal pty;
    const std::string stale = "gsm+ A              +VGR: 48\r\ngsm+ A              +VGT: 0\r\n";
    ASSERT_EQ(pty.WriteSome(stale), stale.size());
    const CtlResult result =
        Run({QString::fromStdString(pty.DevicePath()), "-c", "A,B", "--read", "--timeout", "0,4"});
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_EQ(result.out,
              "A: TX keine Antwort, RX keine Antwort\nB: TX keine Antwort, RX keine Antwort\n");
    EXPECT_EQ(pty.ReadAvailable(), "gsm+ A at+vgr?;+vgt?\rgsm+ B at+vgr?;+vgt?\r");
    EXPECT_GE(result.ms, 800);
    EXPECT_LT(result.ms, 800 + 1500);
}

TEST_F(CtlTest, SimulatorEndingDuringTheRunIsALostDevice) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({"--delay-ms", "10000"}));
    CtlProcess ctl({Modem(), "-c", "A,B", "--read", "--timeout", "20"});
    ASSERT_EQ(Log(21), "gsm+ A at+vgr?;+vgt?\r");
    simulator.reset();  // killed, it cannot send the answer it holds back
    QElapsedTimer sinceStop;
    sinceStop.start();
    ASSERT_TRUE(ctl.Finished());
    const CtlResult result = ctl.Result();
    EXPECT_EQ(result.status, 5);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "quellmark-ctl: Verbindung zu " + Modem().toStdString() + " verloren\n");
    EXPECT_LT(sinceStop.elapsed(), 3000);
}

// Nothing is sent; standard error names the port, the device and why.
TEST_F(CtlTest, PortsThatCannotBeOpened) {
    PseudoTerminal pty;
    const QString busy = QString::fromStdString(pty.DevicePath());
    QSerialPort holder(busy);
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const QString absent = dir.filePath("absent");
    const std::string cannot = " lässt sich nicht öffnen: ";
    const PortDevice com7(7, absent.toStdString());
    const std::pair<QString, std::string> cases[] = {
        {absent, absent.toStdString() + cannot},
        {"7", "COM 7 (" + absent.toStdString() + ")" + cannot},
        {busy, busy.toStdString() + cannot + "belegt"},
    };
    for (const auto& [port, message] : cases) {
        const CtlResult result = Run({port, "--read"});
        EXPECT_EQ(result.status, 3);
        EXPECT_TRUE(result.err.starts_with("quellmark-ctl: " + message)) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(holder.readAll(), "");
}

}  // namespace
}  // namespace quellmark

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
