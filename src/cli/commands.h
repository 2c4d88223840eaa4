#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace mirte {
class TThDebugLog;
class TThumbnailDB;
} // namespace mirte

namespace mirte::cli {

// "--jobs N": how many render workers (1 to 64); false for anything else.
bool ParseJobs(const QString& text, int& jobs);

// Each command takes its own arguments (without the command name) and returns the exit status.
int RunList(QStringList args, std::FILE* out, std::FILE* err);
int RunFacts(const QStringList& args, std::FILE* out, std::FILE* err);
int RunThumb(const QStringList& args, std::FILE* out, std::FILE* err);
// thumb's output for one file: the picture written as outDir/NAME.bmp and its line on `out`
// (path, width, height, bitmap), or the reason on `err` (`reason` when there is no picture).
// False when it failed.
bool WriteThumbBitmap(const QString& outDir, const QString& path, const QImage& picture,
                      const QString& reason, std::FILE* out, std::FILE* err);
// thumb --first-image: the files' first images into outDir (the folder exists).
int RunThumbFirstImages(const QString& outDir, const QStringList& files, std::FILE* out,
                        std::FILE* err);
// Needs a QGuiApplication (fonts, painting).
int RunRenderDemo(const QStringList& args, std::FILE* out, std::FILE* err);

// What the cache command needs beyond its arguments.
struct Context {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    TThDebugLog* log = nullptr; // the debug log (writes only when Debug.ini switches it on)
    QString logDir;             // the folder whose Log/ takes the log files
    QString defaultCacheDir;    // the program's own cache folder, when none is named
};
int RunCache(const QStringList& args, const Context& context);
// Before a command's cache takes its folder: when another program stores into it, the table
// says so on standard error.
void WatchCacheFolder(TThumbnailDB& db, const Context& context);
// Needs a QGuiApplication (fonts, painting).
int RunPrint(const QStringList& args, const Context& context);

} // namespace mirte::cli
