#include "program_icon.h"

#include <QDir>

namespace quellmark {

QIcon ProgramIcon() {
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        icon.addFile(file.filePath());
    }
    return icon;
}

}  // namespace quellmark
