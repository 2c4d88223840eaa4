// ミルテ: the program's entry.
#include "app_settings.h"
#include "command_line.h"
#include "diag/diagnostics.h"
#include "diag/notifier.h"
#include "frm_logo.h"
#include "frm_thumbnail.h"
#include "generated/mirte_install.h"
#include "msg_manage.h"
#include "print/dialog_util.h"
#include "program_pictures.h"
#include "report/font_substitutes.h"
#include "single_instance.h"
#include "startup_checks.h"
#include "util/paths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

namespace {

using namespace mirte;

// A refusal of startup_checks.h, in the language in use.
void Refuse(const char* message) {
    ShowMessageBox(QCoreApplication::translate("StartupChecks", message), ProgramCaption(),
                   {mkCancel});
}

// The arguments as the C library hands them over, before Qt takes its own options out.
QStringList RawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// The diagnostics' own failures (a log that cannot be written) in a message box, on the GUI
// thread whichever thread logged.
void ShowNotice(const QString& message) {
    QMetaObject::invokeMethod(
        qApp, [message] { ShowMessageBox(message, ProgramCaption(), {mkOK}); },
        QThread::currentThread() == qApp->thread() ? Qt::DirectConnection : Qt::QueuedConnection);
}

// The per-user instance name; MIRTE_INSTANCE_NAME replaces it, so that the program's own tests
// can start it beside a ミルテ in use.
QString InstanceName() {
    const QString name = qEnvironmentVariable("MIRTE_INSTANCE_NAME");
    return name.isEmpty() ? TSingleInstance::DefaultName() : name;
}

} // namespace

int main(int argc, char** argv) {
    // Read before the application object, which needs a display: --help, --version and a
    // mistake answer without one.
    const TCommandLine line = TCommandLine::Parse(RawArguments(argc, argv));
    if (line.What == TCommandLine::Action::Help || line.What == TCommandLine::Action::Version) {
        std::fputs(qUtf8Printable(line.What == TCommandLine::Action::Help
                                      ? TCommandLine::Usage()
                                      : TCommandLine::VersionLine() + QLatin1Char('\n')),
                   stdout);
        return 0;
    }
    if (line.What == TCommandLine::Action::Error) {
        std::fprintf(stderr, "mirte: %s\nTry \"mirte --help\".\n", qUtf8Printable(line.Message));
        return 2;
    }

    QApplication app(argc, argv);
    const QString exeName = QApplication::applicationFilePath();
    // The language the settings file or else the desktop asks for, before the first text.
    const TUiLanguage language =
        UiLanguageFromSettings(TAppPaths::ForExecutable(exeName).IniFileName);
    InstallUiLanguage(language, app);
    QApplication::setApplicationName(QStringLiteral("mirte"));
    QApplication::setApplicationDisplayName(ProgramCaption());
    QGuiApplication::setDesktopFileName(QStringLiteral(MIRTE_APP_ID));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();
    QApplication::setFont(WindowFont());

    const QString& path = line.Path;
    TfrmLogo::ShowSplash();

    // A second start hands its request to the running instance and ends without a word.
    TSingleInstance instance(InstanceName());
    if (!instance.BecomeFirst()) {
        instance.HandOver(path);
        return 0;
    }

    if (!HasPrinter()) {
        Refuse(kNoPrinterMessage);
        return 1;
    }
    if (IsOnNetworkFileSystem(exeName)) {
        Refuse(kNetworkCopyMessage);
        return 1;
    }

    TWindowOptions options;
    options.Paths = TAppPaths::ForExecutable(exeName, language);
    options.StartPath = path;
    // Debug.ini's switches, the trace file and the log, before the window and after it (only
    // the running instance: a second start never touches them).
    SetNoticeHandler(ShowNotice);
    TDiagnostics diagnostics(ProgramFolderPath(ProgramFolder::Data, options.Paths.ExeDir), exeName);
    options.DebugLog = &diagnostics.ThDebugLog();
    TfrmThumbnail window(std::move(options));
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
                     &TfrmThumbnail::ActivateFromAnotherStart);
    window.show();
    return QApplication::exec();
}
