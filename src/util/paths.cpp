#include "paths.h"

#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

namespace mirte {

QString JoinPath(const QString& dir, const QString& name) {
    if (dir.isEmpty()) {
        return name;
    }
    if (dir.endsWith(QLatin1Char('/'))) {
        return dir + name;
    }
    return dir + QLatin1Char('/') + name;
}

QString ExtractExt(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString ext = dot < 0 ? name : name.mid(dot + 1);
    for (QChar& c : ext) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return ext;
}

namespace {

bool IsPortableCopy(const QString& exeDir) {
    // An installed program (under /usr) keeps its files per user even when run as root.
    if (exeDir.isEmpty() || exeDir.startsWith(QLatin1String("/usr/"))) {
        return false;
    }
    return ::access(QFile::encodeName(exeDir).constData(), W_OK | X_OK) == 0;
}

} // namespace

QString ProgramFolderPath(ProgramFolder kind, const QString& exeDir) {
    if (IsPortableCopy(exeDir)) {
        return exeDir;
    }
    QStandardPaths::StandardLocation location = QStandardPaths::GenericDataLocation;
    switch (kind) {
    case ProgramFolder::Settings:
        location = QStandardPaths::GenericConfigLocation;
        break;
    case ProgramFolder::Cache:
        location = QStandardPaths::GenericCacheLocation;
        break;
    case ProgramFolder::Data:
        location = QStandardPaths::GenericDataLocation;
        break;
    }
    return JoinPath(QStandardPaths::writableLocation(location), QStringLiteral("mirte"));
}

} // namespace mirte
