// Holds the serial device named on the command line open until its standard input closes.
// Prints "held" once it has the device, "failed" if it could not get it.
#include <unistd.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: quellmark-port-holder DEVICE\n", stderr);
        return 2;
    }
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    const bool held = port.open(QIODevice::ReadWrite);
    std::puts(held ? "held" : "failed");
    std::fflush(stdout);
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) > 0) {
    }
    return held ? 0 : 1;
}
