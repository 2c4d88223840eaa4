#include "cache/picture_scheduler.h"
#include "cache/render_pool.h"
#include "commands.h"
#include "picture/dib_graphic.h"
#include "util/errors.h"
#include "util/paths.h"
#include "util/replace_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>
#include <vector>

namespace mirte::cli {

namespace {

constexpr int DefaultBox = 512; // the cache's box
// A thumbnail is for looking at: a larger box only makes huge bitmaps of small pictures (the
// fit enlarges them too).
constexpr int MaxBox = 4096;

bool ParseSide(const QString& text, int& side) {
    bool ok = false;
    side = text.toInt(&ok);
    return ok && side > 0 && side <= MaxBox;
}

} // namespace

bool WriteThumbBitmap(const QString& outDir, const QString& path, const QImage& picture,
                      const QString& reason, std::FILE* out, std::FILE* err) {
    if (picture.isNull()) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), qUtf8Printable(reason));
        return false;
    }
    const QString target =
        JoinPath(outDir, QFileInfo(path).completeBaseName() + QStringLiteral(".bmp"));
    try {
        TDibGraphic dib;
        dib.Assign(picture);
        ReplaceFile(target, dib.SaveToBytes(), false);
    } catch (const std::exception& error) {
        // Bitmap and file errors alike carry their message in UTF-8.
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), error.what());
        return false;
    }
    std::fprintf(out, "%s\t%d\t%d\t%s\n", qUtf8Printable(path), picture.width(), picture.height(),
                 qUtf8Printable(target));
    return true;
}

bool ParseJobs(const QString& text, int& jobs) {
    bool ok = false;
    jobs = text.toInt(&ok);
    return ok && jobs >= 1 && jobs <= 64;
}

// thumb [--box W H] [--jobs N] [--first-image] --out DIR FILE...: each picture fitted into the
// box (512 x 512 unless given), upright, written as DIR/NAME.bmp (24 bits), rendered by N
// workers (all cores unless given) and reported in the order given; with --first-image, the
// file's own smaller image instead. No cache is used.
int RunThumb(const QStringList& args, std::FILE* out, std::FILE* err) {
    int boxWidth = DefaultBox;
    int boxHeight = DefaultBox;
    int jobs = 0;
    bool firstImage = false;
    QString outDir;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--box") && i + 2 < args.size()) {
            if (!ParseSide(args[i + 1], boxWidth) || !ParseSide(args[i + 2], boxHeight)) {
                std::fprintf(
                    err, "%s\n",
                    qUtf8Printable(QCoreApplication::translate(
                                       "CliMessages", "mirte-cli thumb: --box には 1 から %1 "
                                                      "ピクセルまでの幅と高さを指定してください")
                                       .arg(MaxBox)));
                return 2;
            }
            i += 2;
        } else if (args[i] == QLatin1String("--jobs") && i + 1 < args.size()) {
            if (!ParseJobs(args[++i], jobs)) {
                std::fprintf(
                    err, "%s\n",
                    qUtf8Printable(QCoreApplication::translate(
                        "CliMessages",
                        "mirte-cli thumb: --jobs には 1 から 64 までの数を指定してください")));
                return 2;
            }
        } else if (args[i] == QLatin1String("--first-image")) {
            firstImage = true;
        } else if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            outDir = args[++i];
        } else {
            files.append(args[i]);
        }
    }
    if (outDir.isEmpty() || files.isEmpty()) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "CliMessages", "使い方: mirte-cli thumb [--box 幅 高さ] [--jobs N] "
                                      "[--first-image] --out フォルダ ファイル...\n")),
                   err);
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(outDir),
                     qUtf8Printable(
                         QCoreApplication::translate("CliMessages", "フォルダを作成できません。")));
        return 1;
    }
    if (firstImage) {
        return RunThumbFirstImages(outDir, files, out, err);
    }
    TRenderPool pool(jobs);
    TPictureScheduler scheduler(nullptr, pool, TPictureScheduler::JobsPerWorker, true);
    std::vector<TPictureResult> rendered;
    int status = 0;
    const auto write = [&] {
        for (const TPictureResult& item : rendered) {
            if (!WriteThumbBitmap(outDir, item.Request.Path, item.Picture, item.Error, out, err)) {
                status = 1;
            }
        }
        rendered.clear();
    };
    for (int i = 0; i < files.size(); ++i) {
        scheduler.Render({0, i, files[i], QSize(boxWidth, boxHeight), TFileLook()}, rendered);
        write();
    }
    scheduler.Finish(rendered);
    write();
    return status;
}

} // namespace mirte::cli
