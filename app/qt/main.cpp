#include <QApplication>
#include <memory>

#include "device_path.h"
#include "form1.h"
#include "german_qt_texts.h"
#include "open_line.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellmark"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quellmark"));
    quellmark::InstallGermanQtTexts(app);

    // Destroyed before main returns, which closes the port.
    quellmark::Form1 form(quellmark::NumberedSystemPort(), quellmark::DescribeAllPorts);
    form.show();
    return QApplication::exec();
}
