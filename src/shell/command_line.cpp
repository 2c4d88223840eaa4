#include "command_line.h"

#include "generated/mirte_version.h"

#include <QFileInfo>

namespace mirte {
namespace {

// The options that Qt's application objects take out of the command line themselves, in either
// spelling (-style or --style); the line is read before there is an application object, so they
// are passed over here. Those of the first list take the next argument as their value.
constexpr const char* kQtOptionsWithValue[] = {"platform",
                                               "platformpluginpath",
                                               "platformtheme",
                                               "plugin",
                                               "qwindowgeometry",
                                               "geometry",
                                               "qwindowtitle",
                                               "title",
                                               "qwindowicon",
                                               "icon",
                                               "display",
                                               "name",
                                               "session",
                                               "style",
                                               "stylesheet",
                                               "visual",
                                               "im",
                                               "inputstyle"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb",
                                    "sync",    "testability", "ncols",  "cmap"};

// How many arguments from `at` are one of Qt's options: 0 when `at` is none.
int QtOptionLength(const QStringList& arguments, qsizetype at) {
    QString option = arguments.at(at);
    option.remove(0, option.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = option.indexOf(QLatin1Char('='));
    for (const char* name : kQtOptionsWithValue) {
        if (equals > 0 && option.left(equals) == QLatin1String(name)) {
            return 1;
        }
        if (option == QLatin1String(name)) {
            return at + 1 < arguments.size() ? 2 : 0;
        }
    }
    for (const char* name : kQtFlags) {
        if (option == QLatin1String(name)) {
            return 1;
        }
    }
    return option.startsWith(QLatin1String("qmljsdebugger=")) ? 1 : 0;
}

} // namespace

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
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const int qtOption =
            optionsEnd || !argument.startsWith(QLatin1Char('-')) ? 0 : QtOptionLength(arguments, i);
        if (qtOption > 0) {
            i += qtOption - 1;
        } else if (!optionsEnd && argument == QLatin1String("--")) {
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
