#include <QCoreApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "ctl_program.h"
#include "qt_ctl_system.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) {
        args.push_back(arg.toStdString());
    }
    quellmark::ctl::QtCtlSystem system;
    return quellmark::ctl::RunCtlProgram(args, system, QUELLMARK_VERSION);
}
