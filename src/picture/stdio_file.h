#pragma once

#include <QFile>
#include <QString>
#include <cstdio>
#include <memory>

namespace mirte {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<std::FILE, FileCloser>;

inline StdioFile OpenForReading(const QString& path) {
    return StdioFile(std::fopen(QFile::encodeName(path).constData(), "rbe"));
}

} // namespace mirte
