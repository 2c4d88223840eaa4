#include "paths.h"

#include "generated/mirte_install.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString PerUserFolder(QStandardPaths::StandardLocation location) {
    return JoinPath(QStandardPaths::writableLocation(location), QStringLiteral("mirte"));
}

// $XDG_STATE_HOME, else ~/.local/state (the Qt at hand names no such location).
QString StateHome() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (QDir::isAbsolutePath(state)) {
        return QDir::cleanPath(state);
    }
    return QDir::homePath() + QStringLiteral("/.local/state");
}

} // namespace

ProgramPlace PlaceOfProgram(const QString& exeDir) {
    const QString dir = QDir::cleanPath(exeDir);
    if (dir.isEmpty()) {
        return ProgramPlace::ReadOnly;
    }
    if (dir == QLatin1String(MIRTE_INSTALL_BINDIR) || dir.startsWith(QLatin1String("/usr/"))) {
        return ProgramPlace::Installed;
    }
    const QString entry = JoinPath(
        dir, QStringLiteral(MIRTE_DATADIR_FROM_BINDIR "/applications/" MIRTE_APP_ID ".desktop"));
    if (QFileInfo::exists(entry)) {
        return ProgramPlace::Installed;
    }
    return ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0 ? ProgramPlace::Portable
                                                                          : ProgramPlace::ReadOnly;
}

QString ProgramFolderPath(ProgramFolder kind, const QString& exeDir) {
    const ProgramPlace place = PlaceOfProgram(exeDir);
    if (kind == ProgramFolder::Documents) {
        return place == ProgramPlace::Installed
                   ? QDir::cleanPath(JoinPath(exeDir, QStringLiteral(MIRTE_DOCDIR_FROM_BINDIR)))
                   : exeDir;
    }
    if (place == ProgramPlace::Portable) {
        return kind == ProgramFolder::Cache ? JoinPath(exeDir, QStringLiteral("Temp")) : exeDir;
    }
    switch (kind) {
    case ProgramFolder::Settings:
        return PerUserFolder(QStandardPaths::GenericConfigLocation);
    case ProgramFolder::Cache:
        return PerUserFolder(QStandardPaths::GenericCacheLocation);
    case ProgramFolder::Data:
    case ProgramFolder::Documents:
        break;
    }
    return JoinPath(StateHome(), QStringLiteral("mirte"));
}

} // namespace mirte
