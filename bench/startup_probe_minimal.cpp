// The smallest Qt Widgets window, a label in a widget, for comparison with the program's.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "startup_reporter.h"

int main(int argc, char* argv[]) {
    const long long mainEntered = quellmark::bench::MonotonicNs();
    QApplication app(argc, argv);
    quellmark::bench::StartupReporter reporter(mainEntered);

    QWidget window;
    new QLabel(QStringLiteral("Quellmark"), &window);  // owned by the window
    reporter.WindowBuilt();
    window.show();
    reporter.WindowShown();
    return QApplication::exec();
}
