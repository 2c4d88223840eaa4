#include "cache/th_render.h"
#include "commands.h"
#include "picture/picture_error.h"

#include <QCoreApplication>

namespace mirte::cli {

// facts FILE...: one tab-separated line per picture: path, width, height, shooting date,
// EXIF date-time, file time, size, volume label, volume identity. A file that fails gives its
// path and the reason on standard error (the library's own words after it, when a library
// failed), and the exit status 1.
int RunFacts(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.isEmpty()) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "CliMessages", "使い方: mirte-cli facts ファイル...\n")),
                   err);
        return 2;
    }
    int status = 0;
    for (const QString& path : args) {
        QString failure;
        TPictureFacts info;
        try {
            if (!ReadPictureFacts(path, ReadPictureHeader(path), info)) {
                failure = QCoreApplication::translate("CliMessages",
                                                      "ファイルの日時とサイズを読めません。");
            }
        } catch (const EPictureError& error) {
            failure = error.MessageWithDetail();
        }
        if (!failure.isEmpty()) {
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), qUtf8Printable(failure));
            status = 1;
            continue;
        }
        std::fprintf(out, "%s\t%d\t%d\t%s\t%s\t%s\t%lld\t%s\t%s\n", qUtf8Printable(path),
                     info.Width, info.Height, qUtf8Printable(info.CreateTime),
                     qUtf8Printable(info.UpdateTime), qUtf8Printable(info.FileTime),
                     static_cast<long long>(info.FileSize), qUtf8Printable(info.VolLabel),
                     qUtf8Printable(info.VolSer));
    }
    return status;
}

} // namespace mirte::cli
