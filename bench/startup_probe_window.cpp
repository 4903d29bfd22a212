// The program's start-up as app/main.cpp does it, reporting its steps up to the first paint.
#include <QApplication>
#include <memory>

#include "device_path.h"
#include "form1.h"
#include "open_line.h"
#include "startup_reporter.h"

int main(int argc, char* argv[]) {
    const long long mainEntered = quellmark::bench::MonotonicNs();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellmark"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quellmark"));
    quellmark::bench::StartupReporter reporter(mainEntered);

    quellmark::Form1 form(quellmark::NumberedSystemPort(), quellmark::DescribeAllPorts);
    reporter.WindowBuilt();
    form.show();
    reporter.WindowShown();
    return QApplication::exec();
}
