#pragma once

#include <QByteArray>
#include <string>

namespace quellmark {

// What every line sends for UTF-8 text: one byte per character, and a single '?' for a character
// outside Latin-1, even where UTF-16 needs two code units for it.
QByteArray Latin1Bytes(const std::string& utf8);

}  // namespace quellmark
