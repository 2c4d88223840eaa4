#include "spool_file.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace mirte {

QString SpoolFileBeside(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() +
           QStringLiteral(".%1.part").arg(::getpid());
}

bool MoveSpoolOver(const QString& spool, const QString& target) {
    return std::rename(QFile::encodeName(spool).constData(),
                       QFile::encodeName(target).constData()) == 0;
}

} // namespace mirte
