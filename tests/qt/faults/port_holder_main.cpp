// Holds the serial device named on the command line open, as another copy of the program would,
// until SIGTERM. Prints "held" once it has it. QSerialPort's lock file is what makes it busy.
#include <signal.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>

int main(int argc, char* argv[]) {
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigprocmask(SIG_BLOCK, &term, nullptr);
    QCoreApplication app(argc, argv);
    QSerialPort port(QString::fromLocal8Bit(argv[argc - 1]));
    std::puts(port.open(QIODevice::ReadWrite) ? "held" : "failed");
    std::fflush(stdout);
    // Returns normally, so that the port closes and its lock file goes.
    int signal = 0;
    sigwait(&term, &signal);
}
