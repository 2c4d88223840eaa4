#pragma once

#include <QString>
#include <QStringList>

namespace mirte {

// What the program's command line asks for: mirte [FOLDER | PICTURE] | --help | --version.
struct TCommandLine {
    enum class Action {
        Run,     // start (or hand Path to the running instance)
        Help,    // print Usage() and end
        Version, // print VersionLine() and end
        Error,   // print Message and a hint, end with status 2
    };
    Action What = Action::Run;
    QString Path;    // the folder or picture given, made absolute; empty when none
    QString Message; // what was wrong, for Error

    // The arguments after the program's name, as the C library hands them over: read before
    // there is a display, Qt's own options (-platform NAME, -style NAME, ...) passed over.
    // --help and --version win over anything else.
    static TCommandLine Parse(const QStringList& arguments);
    static QString Usage();
    static QString VersionLine();
};

} // namespace mirte
