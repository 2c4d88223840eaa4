#include "cache/picture_scheduler.h"
#include "cache/thumbnail_db.h"
#include "commands.h"
#include "util/cache_size.h"
#include "util/errors.h"

#include <QCoreApplication>
#include <vector>

namespace mirte::cli {

namespace {

void PrintRecord(std::FILE* out, const TThImage& record) {
    std::fprintf(out, "%s\n", qUtf8Printable(record.Columns().join(u'\t')));
}

// The thumbnails in the order given; misses are rendered by `jobs` workers meanwhile.
int Get(TThumbnailDB& db, const QStringList& files, int jobs, std::FILE* out, std::FILE* err) {
    TRenderPool pool(jobs);
    TPictureScheduler scheduler(&db, pool, TPictureScheduler::JobsPerWorker, true);
    std::vector<TPictureResult> fetched;
    int status = 0;
    const auto report = [&] {
        for (const TPictureResult& item : fetched) {
            const QString& path = item.Request.Path;
            if (item.Picture.isNull()) {
                std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), qUtf8Printable(item.Error));
                status = 1;
            } else {
                std::fprintf(out, "%s\t%dx%d\t%s\n", item.FromCache ? "hit" : "miss",
                             item.Picture.width(), item.Picture.height(), qUtf8Printable(path));
                std::fflush(out);
            }
        }
        fetched.clear();
    };
    for (int i = 0; i < files.size(); ++i) {
        scheduler.Thumbnail({0, i, files[i], QSize(), TFileLook()}, fetched);
        report();
    }
    scheduler.Finish(fetched);
    report();
    return status;
}

} // namespace

void WatchCacheFolder(TThumbnailDB& db, const Context& context) {
    std::FILE* err = context.err;
    db.OnFolderBusy([err](const QString& message) {
        std::fprintf(err, "mirte-cli: %s\n", qUtf8Printable(message));
        std::fflush(err);
    });
}

// cache --dir CACHEDIR [--size-kb N] get FILE... | list | clear
int RunCache(const QStringList& args, const Context& context) {
    std::FILE* out = context.out;
    std::FILE* err = context.err;
    QString dir;
    qint64 sizeKB = -1;
    int jobs = 0;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size()) {
            dir = args[++i];
        } else if (args[i] == QLatin1String("--size-kb") && i + 1 < args.size()) {
            bool ok = false;
            sizeKB = args[++i].toLongLong(&ok);
            if (!ok || sizeKB < 0) {
                std::fprintf(err, "%s\n",
                             qUtf8Printable(QCoreApplication::translate(
                                 "CliMessages",
                                 "mirte-cli cache: --size-kb にはキロバイト数を指定してください")));
                return 2;
            }
        } else if (args[i] == QLatin1String("--jobs") && i + 1 < args.size()) {
            if (!ParseJobs(args[++i], jobs)) {
                std::fprintf(
                    err, "%s\n",
                    qUtf8Printable(QCoreApplication::translate(
                        "CliMessages",
                        "mirte-cli cache: --jobs には 1 から 64 までの数を指定してください")));
                return 2;
            }
        } else {
            rest = args.mid(i);
            break;
        }
    }
    const QString action = rest.isEmpty() ? QString() : rest.takeFirst();
    if (dir.isEmpty() ||
        (action != QLatin1String("get") && action != QLatin1String("list") &&
         action != QLatin1String("clear")) ||
        (action == QLatin1String("get") && rest.isEmpty())) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "CliMessages", "使い方: mirte-cli cache --dir キャッシュフォルダ [--size-kb "
                                      "N] [--jobs N] get ファイル...\n"
                                      "       mirte-cli cache --dir キャッシュフォルダ list\n"
                                      "       mirte-cli cache --dir キャッシュフォルダ clear\n")),
                   err);
        return 2;
    }
    try {
        TThumbnailDB db(context.logDir, context.log);
        WatchCacheFolder(db, context);
        db.SetCacheDirectory(dir);
        db.SetMaxCacheSize(sizeKB >= 0 ? sizeKB : qint64{DefaultCacheSizeMB(dir)} * 1024);
        int status = 0;
        if (action == QLatin1String("get")) {
            status = Get(db, rest, jobs, out, err);
        } else if (action == QLatin1String("list")) {
            db.ForEachRecord([out](const TThImage& record) { PrintRecord(out, record); });
        } else {
            db.ClearCache();
        }
        db.SaveTable(); // here, so that a failure is reported (the destructor only logs)
        return status;
    } catch (const ECacheError& error) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(dir), error.what());
        return 1;
    }
}

} // namespace mirte::cli
