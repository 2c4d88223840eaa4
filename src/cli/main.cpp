// mirte-cli: the command-line front of ミルテ's core.

#include "commands.h"
#include "diag/diagnostics.h"
#include "generated/mirte_version.h"
#include "qt_messages.h"
#include "util/paths.h"
#include "util/ui_language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void PrintUsage(std::FILE* to) {
    const QString usage = QCoreApplication::translate(
        "CliMessages",
        "usage: mirte-cli COMMAND [ARGS]\n"
        "  list [FOLDER]   the folder's pictures and movies with time, size and volume\n"
        "  facts FILE...   each picture's size, EXIF dates, time, size and volume\n"
        "  thumb [--box W H] [--jobs N] [--first-image] --out DIR FILE...\n"
        "                  each picture fitted into the box, written as DIR/NAME.bmp\n"
        "                  (--jobs N: N render workers, all cores unless given;\n"
        "                  --first-image: the file's own smaller image, unscaled)\n"
        "  cache --dir CACHEDIR [--size-kb N] [--jobs N] get FILE... | list | clear\n"
        "                  thumbnails through the cache, its records, or clearing it\n"
        "  render-demo OUT.pdf | --printer QUEUE | --png [--scale N] [--page N] OUT.png\n"
        "                  the demonstration report, printed or as a preview image\n"
        "  print index|contact FOLDER | jacket PICTURE\n"
        "        (--pdf OUT.pdf | --printer QUEUE | --png OUT_DIR) [...]\n"
        "                  an index card, contact sheet or back card, as the window\n"
        "                  prints it (mirte-cli print --help tells the options)\n"
        "  version, --version\n"
        "                  the program's version\n"
        "  --help          this text (see also mirte-cli(1))\n");
    std::fputs(qUtf8Printable(usage), to);
}

} // namespace

// Painting and printing need a GUI application; without a display it draws offscreen.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    const bool paints = argc > 1 && (std::strcmp(argv[1], "render-demo") == 0 ||
                                     std::strcmp(argv[1], "print") == 0);
    if (!paints) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

int main(int argc, char** argv) {
    mirte::cli::KeepQtMessagesOffTheTerminal();
    const auto app = MakeApplication(argc, argv);
    // The terminal's language: Japanese under a Japanese locale, English under any other.
    mirte::InstallUiLanguage(mirte::DesktopUiLanguage(), *app);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h") || args.first() == QLatin1String("help")) {
        PrintUsage(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        std::printf("mirte-cli %s\n", MIRTE_VERSION);
        return 0;
    }

    const QString exePath = QCoreApplication::applicationFilePath();
    const QString dataDir =
        mirte::ProgramFolderPath(mirte::ProgramFolder::Data, QFileInfo(exePath).absolutePath());
    mirte::TDiagnostics diagnostics(dataDir, exePath);
    const mirte::cli::TQtMessagesToLog qtMessages(diagnostics.Log());

    if (command == QLatin1String("list")) {
        return mirte::cli::RunList(args, stdout, stderr);
    }
    if (command == QLatin1String("facts")) {
        return mirte::cli::RunFacts(args, stdout, stderr);
    }
    if (command == QLatin1String("thumb")) {
        return mirte::cli::RunThumb(args, stdout, stderr);
    }
    if (command == QLatin1String("render-demo")) {
        return mirte::cli::RunRenderDemo(args, stdout, stderr);
    }
    const QString cacheDir =
        mirte::ProgramFolderPath(mirte::ProgramFolder::Cache, QFileInfo(exePath).absolutePath());
    const mirte::cli::Context context{stdout, stderr, &diagnostics.ThDebugLog(), dataDir, cacheDir};
    if (command == QLatin1String("cache")) {
        return mirte::cli::RunCache(args, context);
    }
    if (command == QLatin1String("print")) {
        return mirte::cli::RunPrint(args, context);
    }
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(
                     QCoreApplication::translate("CliMessages", "mirte-cli: unknown command \"%1\"")
                         .arg(command)));
    PrintUsage(stderr);
    return 2;
}
