#include "command_line.h"

#include "generated/mirte_version.h"

#include <QFileInfo>

namespace mirte {

TCommandLine TCommandLine::Parse(const QStringList& arguments) {
    TCommandLine line;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) {
            break;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.What = Action::Help;
            return line;
        }
        if (argument == QLatin1String("--version")) {
            line.What = Action::Version;
            return line;
        }
    }
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        if (!optionsEnd && argument == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && argument.startsWith(QLatin1Char('-'))) {
            line.What = Action::Error;
            line.Message = QStringLiteral("unknown option \"%1\"").arg(argument);
            return line;
        } else if (!line.Path.isEmpty()) {
            line.What = Action::Error;
            line.Message = QStringLiteral("one FOLDER or PICTURE only");
            return line;
        } else if (argument.isEmpty()) {
            line.What = Action::Error;
            line.Message = QStringLiteral("an empty path");
            return line;
        } else {
            line.Path = QFileInfo(argument).absoluteFilePath();
        }
    }
    return line;
}

QString TCommandLine::Usage() {
    return QStringLiteral(
        "usage: mirte [FOLDER | PICTURE]\n"
        "       mirte --help | --version\n"
        "ミルテ shows a folder's pictures as thumbnails and prints index cards, back cards\n"
        "and contact sheets.\n"
        "  FOLDER      the folder to show (else your Pictures folder, else your home)\n"
        "  PICTURE     its folder, with the picture selected\n"
        "  -h, --help  this text\n"
        "  --version   the program's version\n"
        "A second start brings the running window to the front and hands it FOLDER or\n"
        "PICTURE. See mirte(1); mirte-cli prints the layouts from the command line.\n");
}

QString TCommandLine::VersionLine() {
    return QStringLiteral("mirte " MIRTE_VERSION);
}

} // namespace mirte
