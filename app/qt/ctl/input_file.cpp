#include "input_file.h"

#include <QFile>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quellmark::ctl {

namespace {

std::string Reason(int error) {
    switch (error) {
        case ENOENT:
            return "Datei nicht gefunden";
        case EACCES:
            return "keine Berechtigung";
        case EISDIR:
            return "ist ein Verzeichnis";
    }
    return std::strerror(error);
}

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path) {
    std::unique_ptr<std::FILE, CloseFile> opened;
    if (path != "-") {
        opened.reset(std::fopen(QFile::encodeName(QString::fromStdString(path)).constData(), "rb"));
        if (!opened) {
            return ReadFailure{Reason(errno)};
        }
    }
    std::FILE* const file = opened ? opened.get() : stdin;
    std::string text;
    char chunk[4096];
    for (std::size_t count; (count = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        text.append(chunk, count);
    }
    if (std::ferror(file)) {
        return ReadFailure{Reason(errno)};
    }
    return text;
}

}  // namespace quellmark::ctl
