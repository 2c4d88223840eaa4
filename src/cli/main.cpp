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
        "使い方: mirte-cli コマンド [引数]\n"
        "  list [--recursive] [フォルダ]\n"
        "                  フォルダの画像と動画を、時刻・サイズ・ボリュームとともに\n"
        "                  (--recursive: その下のフォルダのものも、相対パスで)\n"
        "  facts ファイル...\n"
        "                  各画像の大きさ、EXIF の日付、時刻、サイズ、ボリューム\n"
        "  thumb [--box 幅 高さ] [--jobs N] [--first-image] --out フォルダ ファイル...\n"
        "                  各画像を枠に収めて フォルダ/名前.bmp に書き出す\n"
        "                  (--jobs N: 描画ワーカーの数、省略時は全コア;\n"
        "                  --first-image: ファイル自身の縮小画像を、大きさを変えずに)\n"
        "  cache --dir キャッシュフォルダ [--size-kb N] [--jobs N] get ファイル... | list | clear\n"
        "                  キャッシュを通したサムネイル、その記録、またはキャッシュのクリア\n"
        "  render-demo 出力.pdf | --printer キュー | --png [--scale N] [--page N] 出力.png\n"
        "                  報告エンジンの見本帳を、印刷またはプレビュー画像で\n"
        "  print index|contact フォルダ | jacket 画像\n"
        "        (--pdf 出力.pdf | --printer キュー | --png 出力フォルダ) [...]\n"
        "                  インデックスカード、コンタクトシート、バックカードを、ウィンドウと\n"
        "                  同じように印刷 (オプションは mirte-cli print --help で)\n"
        "  version, --version\n"
        "                  プログラムの版\n"
        "  --help          この説明 (mirte-cli(1) も参照)\n");
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
                     QCoreApplication::translate("CliMessages", "mirte-cli: 不明なコマンド \"%1\"")
                         .arg(command)));
    PrintUsage(stderr);
    return 2;
}
