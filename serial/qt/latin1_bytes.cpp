#include "latin1_bytes.h"

#include <QList>
#include <QString>

namespace quellmark {

QByteArray Latin1Bytes(const std::string& utf8) {
    QByteArray bytes;
    for (const uint c : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4()) {
        bytes.append(c <= 0xFF ? char(c) : '?');
    }
    return bytes;
}

}  // namespace quellmark
